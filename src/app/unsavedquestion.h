// The question asked at close when values the operator accepted still
// cannot be written: try again, or close and lose them.
#pragma once

#include "store/settingsstore.h"

#include <QMessageBox>
#include <memory>

QString unsavedQuestionText(const QVector<StoreEntry> &unsaved, const QString &problem);

// The box, with "Retry" (also Escape: nothing is lost by it) and a button
// that closes and loses the values.
std::unique_ptr<QMessageBox> unsavedQuestionBox(QWidget *parent, const QString &text);

// True: try again; false: close without them.
bool askToRetrySave(QWidget *parent, const QString &text);
