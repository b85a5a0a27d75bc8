// The receiver table: a grid of text cells addressed (row, column) from 0,
// with row 0 as the fixed header row. It offers the members the rest of the
// program works with (Rows, Row, Col, TextMatrix, CellBackColor of the current
// cell, ...). Sizes in twips, 15 to a pixel, are in the members that say
// Twips; colours are QColor, and the design's 0x00BBGGRR numbers pass
// through colourFromValue and valueFromColour.
#pragma once

#include "twips.h"

#include <QTableWidget>

class FlexGrid : public QTableWidget
{
    Q_OBJECT

public:
    explicit FlexGrid(QWidget *parent = nullptr);

    int Rows() const { return rowCount(); }
    void setRows(int rows);
    int Cols() const { return columnCount(); }

    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString &text);

    // Background of the current cell (Row, Col).
    QColor CellBackColor() const;
    void setCellBackColor(const QColor &colour);
    // Background of any cell, for callers that must not move the current cell.
    QColor cellColour(int row, int col) const;
    void setCellColour(int row, int col, const QColor &colour);

    // The receiver row shown as selected (0 none): the red mark in its first
    // cell. setMarkedRow gives every receiver row's first cell
    // `unmarkedColour`, then marks `row` (none for 0); clearMark takes the
    // mark off wherever it shows and leaves every other colour as it is.
    int markedRow() const { return markedRow_; }
    void setMarkedRow(int row, const QColor &unmarkedColour);
    void clearMark(const QColor &unmarkedColour);

    // Column titles separated by tabs, written into row 0.
    void setFormatString(const QString &format);

    int RowHeightTwips(int row) const;
    void setColWidthTwips(int col, int twips);
    int ColWidthTwips(int col) const;
    void setColAlignment(int col, Qt::Alignment alignment);

    int HeightTwips() const;
    void setHeightTwips(int twips);
    int WidthTwips() const;

    void SetFocus();

    // The design's 0x00BBGGRR numbers, where it stores one, and back.
    static QColor colourFromValue(int value);
    static int valueFromColour(const QColor &colour);

signals:
    // The operator clicked a receiver cell, which is already current.
    void Click();
    // A character key went to the grid; the grid handles it after this.
    void KeyPress(int characterCode);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QTableWidgetItem *cell(int row, int col) const;
    void styleRow(int row);

    QVector<int> colWidthTwips_; // as set; the pixels are rounded from it
    int markedRow_ = 0;
    int pressedRow_ = -1; // row of the press that is waiting for its release
};
