#include "channelswindow.h"

#include "model/receivermodel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/filereplace.h"

namespace {

constexpr int nameRole = Qt::UserRole + 1;

} // namespace

ChannelsWindow::ChannelsWindow(const QString &settingsPath, ChannelActions actions, QWidget *parent)
    : QDialog(parent)
    , library_(settingsPath)
    , actions_(std::move(actions))
{
    setObjectName(QStringLiteral("channelswindow"));
    setWindowTitle(tr("Channels"));
    resize(760, 420);

    auto *filterLabel = new QLabel(tr("&Filter:"), this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("channelfilter"));
    filter_->setClearButtonEnabled(true);
    filter_->setPlaceholderText(tr("part of a name, a value or a note"));
    filterLabel->setBuddy(filter_);

    model_ = new QStandardItemModel(0, 7, this);
    // A channel's columns are a preset's, between its name and its notes.
    model_->setHorizontalHeaderLabels(QStringList{tr("Name")} + presetColumnTitles().mid(1)
                                      + QStringList{tr("Notes")});
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(model_);
    shown_->setFilterKeyColumn(-1);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    shown_->setSortCaseSensitivity(Qt::CaseInsensitive);
    view_ = new QTreeView(this);
    view_->setObjectName(QStringLiteral("channellist"));
    view_->setAccessibleName(tr("Channels"));
    view_->setModel(shown_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setSortingEnabled(true);
    view_->sortByColumn(0, Qt::AscendingOrder);
    view_->header()->setStretchLastSection(true);

    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("channelmessage"));
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    message_->setAccessibleName(tr("Message"));

    // Every action has a key, and a button that names it.
    auto *buttons = new QHBoxLayout;
    const auto addButton = [&](const QString &text, const QKeySequence &key, void (ChannelsWindow::*slot)()) {
        auto *button = new QPushButton(text, this);
        button->setAutoDefault(false);
        button->setToolTip(key.toString(QKeySequence::NativeText));
        button->setAccessibleDescription(button->toolTip());
        connect(button, &QPushButton::clicked, this, slot);
        if (!key.isEmpty()) {
            auto *shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, this, slot);
        }
        buttons->addWidget(button);
    };
    addButton(tr("Load (Enter)"), {}, &ChannelsWindow::loadCurrent);
    addButton(tr("Tune selected receiver (Ctrl+Enter)"), {}, &ChannelsWindow::tuneCurrent);
    addButton(tr("&Save settings as..."), QKeySequence(Qt::CTRL | Qt::Key_S), &ChannelsWindow::saveAsNew);
    addButton(tr("&Rename..."), QKeySequence(Qt::Key_F2), &ChannelsWindow::renameCurrent);
    addButton(tr("&Delete..."), QKeySequence(QKeySequence::Delete), &ChannelsWindow::deleteCurrent);
    auto *transfer = new QHBoxLayout;
    buttons->addStretch();
    addButton(tr("&Import..."), QKeySequence(Qt::CTRL | Qt::Key_I), &ChannelsWindow::importFile);
    addButton(tr("&Export..."), QKeySequence(Qt::CTRL | Qt::Key_E), &ChannelsWindow::exportFile);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::close);
    transfer->addWidget(message_, 1);
    transfer->addWidget(close);

    auto *filterLine = new QHBoxLayout;
    filterLine->addWidget(filterLabel);
    filterLine->addWidget(filter_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(filterLine);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    layout->addLayout(transfer);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString &text) {
        shown_->setFilterFixedString(text);
        if (!view_->currentIndex().isValid() && shown_->rowCount() > 0)
            view_->setCurrentIndex(shown_->index(0, 0));
    });
    filter_->installEventFilter(this);
    view_->installEventFilter(this);

    // A hand edit or another program's change shows at once.
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        if (library_.changedOnDisk())
            refresh();
    });
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (library_.changedOnDisk())
            refresh();
    });
    refresh();
    filter_->setFocus();
}

void ChannelsWindow::watch()
{
    const QString folder = QFileInfo(library_.fileName()).absolutePath();
    if (!watcher_->directories().contains(folder) && QFileInfo::exists(folder))
        watcher_->addPath(folder);
    // A file replaced by a rename is a new file: watched afresh.
    if (!watcher_->files().isEmpty())
        watcher_->removePaths(watcher_->files());
    if (QFileInfo::exists(library_.fileName()))
        watcher_->addPath(library_.fileName());
}

void ChannelsWindow::refresh()
{
    const Channel *chosen = current();
    const QString keep = chosen ? chosen->name : QString();
    library_.reload();
    model_->removeRows(0, model_->rowCount());
    for (const Channel &channel : library_.channels()) {
        const RowCells &v = channel.values;
        QList<QStandardItem *> items;
        const QString spoken = spokenChannel(channel);
        for (const QString &text : {channel.name, v.frequency, v.symbolRate, v.offset, v.antenna, v.voltage,
                                    QString(channel.notes).replace(QLatin1Char('\n'), QLatin1Char(' '))}) {
            auto *item = new QStandardItem(text);
            item->setData(channel.name, nameRole);
            item->setData(spoken, Qt::AccessibleTextRole);
            items << item;
        }
        model_->appendRow(items);
    }
    for (int column = 0; column < 6; ++column)
        view_->resizeColumnToContents(column);
    if (!library_.problem().isEmpty())
        tell(library_.problem());
    choose(keep);
    watch();
}

void ChannelsWindow::choose(const QString &name)
{
    for (int row = 0; row < shown_->rowCount(); ++row) {
        const QModelIndex index = shown_->index(row, 0);
        if (sameChannelName(index.data(nameRole).toString(), name)) {
            view_->setCurrentIndex(index);
            return;
        }
    }
    if (shown_->rowCount() > 0)
        view_->setCurrentIndex(shown_->index(0, 0));
}

const Channel *ChannelsWindow::current() const
{
    const QModelIndex index = view_ ? view_->currentIndex() : QModelIndex();
    return index.isValid() ? library_.find(index.data(nameRole).toString()) : nullptr;
}

QString ChannelsWindow::message() const
{
    return message_->text();
}

void ChannelsWindow::tell(const QString &text)
{
    message_->setText(text);
}

bool ChannelsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (key->modifiers() & Qt::ControlModifier)
            tuneCurrent();
        else
            loadCurrent();
        return true;
    }
    // From the filter, the arrows go on down the list.
    if (watched == filter_ && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up)) {
        view_->setFocus();
        QCoreApplication::sendEvent(view_, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ChannelsWindow::loadCurrent()
{
    const Channel *channel = current();
    if (!channel)
        return tell(tr("No channel is chosen."));
    actions_.load(channel->values);
    tell(tr("\"%1\" loaded into the working settings.").arg(channel->name));
}

void ChannelsWindow::tuneCurrent()
{
    const Channel *channel = current();
    if (!channel)
        return tell(tr("No channel is chosen."));
    const QString name = channel->name;
    const QString problem = actions_.tune(channel->values);
    tell(problem.isEmpty() ? tr("\"%1\" stored and sent.").arg(name) : problem);
}

void ChannelsWindow::saveAsNew()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, tr("Save settings as a channel"),
                              tr("Name of the new channel (1 to %1 characters):").arg(longestChannelName),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return;
    const QString refused = library_.add({name, actions_.workingSettings(), QString()});
    tell(refused.isEmpty() ? tr("\"%1\" saved.").arg(name.trimmed()) : refused);
    refresh();
    if (refused.isEmpty())
        choose(name.trimmed());
}

void ChannelsWindow::renameCurrent()
{
    const Channel *channel = current();
    if (!channel)
        return tell(tr("No channel is chosen."));
    const QString old = channel->name;
    bool ok = false;
    const QString name = QInputDialog::getText(
        this, tr("Rename channel"), tr("New name for \"%1\":").arg(old), QLineEdit::Normal, old, &ok);
    if (!ok)
        return;
    const QString refused = library_.rename(old, name);
    tell(refused.isEmpty() ? tr("\"%1\" renamed to \"%2\".").arg(old, name.trimmed()) : refused);
    refresh();
    choose(refused.isEmpty() ? name.trimmed() : old);
}

void ChannelsWindow::deleteCurrent()
{
    const Channel *channel = current();
    if (!channel)
        return tell(tr("No channel is chosen."));
    const QString name = channel->name;
    if (QMessageBox::question(this, tr("Delete channel"), tr("Delete the channel \"%1\"?").arg(name),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    const QString refused = library_.remove(name);
    tell(refused.isEmpty() ? tr("\"%1\" deleted.").arg(name) : refused);
    refresh();
}

void ChannelsWindow::importFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Import channels"), QString(),
                                                      tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    // A named pipe or a device would hold the window until it ends.
    if (!QFileInfo(path).isFile())
        return tell(tr("Nothing imported: %1 is not a file.").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return tell(tr("Nothing imported: %1 cannot be read (%2).").arg(path, file.errorString()));
    const QByteArray bytes = file.read(ChannelLibrary::maxFileBytes + 1);
    if (bytes.size() > ChannelLibrary::maxFileBytes)
        return tell(tr("Nothing imported: %1 is larger than 16 MiB.").arg(path));
    const ChannelsRead read = readChannelsCsv(bytes);
    if (!read.problems.isEmpty()) {
        QStringList lines;
        for (const LineProblem &problem : read.problems)
            lines << lineProblemText(problem);
        return tell(tr("Nothing imported from %1:\n%2").arg(path, lines.join(QLatin1Char('\n'))));
    }
    int added = 0;
    int replaced = 0;
    const QString refused = library_.merge(read.channels, &added, &replaced);
    tell(refused.isEmpty() ? tr("%1 added, %2 replaced.").arg(added).arg(replaced) : refused);
    refresh();
}

void ChannelsWindow::exportFile()
{
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Export channels"), QStringLiteral("channels.csv"), tr("CSV files (*.csv);;All files (*)"));
    if (path.isEmpty())
        return;
    // A library that does not read is not what the file holds: exporting
    // what is left of it would write over a good copy with less.
    if (!library_.reload())
        return tell(tr("Not exported: %1").arg(library_.problem()));
    const QString refused = filereplace::replace(path, writeChannelsCsv(library_.channels()));
    tell(refused.isEmpty() ? tr("%1 channels exported to %2.").arg(library_.channels().size()).arg(path)
                           : tr("Not exported: %1 %2.").arg(path, refused));
}
