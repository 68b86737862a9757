// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

namespace ostrel {

// Makes every text that Qt itself shows (a field's context menu, a message
// box's button, the names of accessible actions) Swedish, as the rest of the
// window is, whatever the user's locale: Qt's own Swedish translation from
// the system, then the program's additions for what that one leaves in
// English. Returns how many of the two were loaded; a missing one leaves
// those texts in English and is no error.
int InstallSwedishTranslations(QCoreApplication& app);

}  // namespace ostrel
