// The refusal of a second copy: the claim itself is the platform's.
#pragma once

#include "platform/singlecopylock.h"

#include <QMessageBox>
#include <memory>

// The information box a second copy shows before it ends.
std::unique_ptr<QMessageBox> alreadyRunningBox();
