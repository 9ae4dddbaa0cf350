// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;
class QCoreApplication;
class QLocale;
class QPainter;

namespace varnel::studio {

// Sets the program's names and icon and installs the translation for the system's language,
// before any window is made.
void ConfigureStudio(QApplication& app);

// Installs the studio's translation for `locale` (and Qt's own, where the system has it).
// Looks first where the program is installed, then in the copy built into the program.
// Returns whether the studio's own translation was found; English needs none.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale);

// The studio's icon on a 32 by 32 canvas: the section of the two coils and the field lines
// through them, over a map's colours.
void PaintStudioIcon(QPainter& painter);

}  // namespace varnel::studio
