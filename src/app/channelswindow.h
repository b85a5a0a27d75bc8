// The "Channels" window: the channel library beside the receiver table,
// sorted by name and filtered as the operator types, worked from the
// keyboard alone. Enter loads the chosen channel into the working settings,
// Ctrl+Enter tunes the selected receiver to it; the rest (save the working
// settings as a channel, rename, delete, import, export) are buttons with
// keys of their own.
#pragma once

#include "channels/channellibrary.h"

#include <QDialog>
#include <functional>

class QFileSystemWatcher;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

// What the window asks of the main window.
struct ChannelActions
{
    std::function<void(const RowCells &)> load; // as "Copy from grid to settings" loads a row
    std::function<QString(const RowCells &)> tune; // "" when sent, else why not
    std::function<RowCells()> workingSettings; // as a copy into a row would store them
};

class ChannelsWindow : public QDialog
{
    Q_OBJECT

public:
    ChannelsWindow(const QString &settingsPath, ChannelActions actions, QWidget *parent);

    // The library read afresh and shown again, the chosen channel kept.
    void refresh();
    // What the window last told the operator.
    QString message() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Channel *current() const;
    void loadCurrent();
    void tuneCurrent();
    void saveAsNew();
    void renameCurrent();
    void deleteCurrent();
    void importFile();
    void exportFile();
    void tell(const QString &text);
    void choose(const QString &name);
    void watch();

    ChannelLibrary library_;
    ChannelActions actions_;
    QLineEdit *filter_ = nullptr;
    QTreeView *view_ = nullptr;
    QStandardItemModel *model_ = nullptr;
    QSortFilterProxyModel *shown_ = nullptr;
    QLabel *message_ = nullptr;
    QFileSystemWatcher *watcher_ = nullptr;
};
