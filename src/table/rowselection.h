// The selected receiver as the window shows it: the red mark in its grid
// row's first cell (FlexGrid::setMarkedRow draws it), and the buttons and
// the uplink hint that follow the chosen row's preset.
#pragma once

#include <QColor>

class ReceiverModel;
class QWidget;

// The colour value of the mark, pure red.
inline const QColor selectedRowColour = QColor(255, 0, 0);

struct RowSelectionControls
{
    QWidget *copytorx;
    QWidget *copytosettings;
    QWidget *sendx;
    QWidget *rightlabel;
};

// Sets the buttons and the hint for grid row `row` just chosen: a copy into
// it for any row below the titles; Send, the copy out and the hint only for
// a filled receiver.
void showSelectionControls(const RowSelectionControls &controls, const ReceiverModel &model, int row);
