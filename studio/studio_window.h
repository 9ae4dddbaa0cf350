// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

#include "studio/core/catalogue.h"
#include "studio/live_study.h"

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QUndoStack;

namespace varnel::studio {

class DesignView;
class InputsPanel;
class MapView;
class NumbersView;
class ProfilesView;

// Where the installed guide, README and licence are.
QString DocumentationFolder();

// The studio's window: the inputs on the left, the tabs of what they give on the right, and
// the file commands. The numbers follow every change of the inputs.
class StudioWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit StudioWindow(QWidget* parent = nullptr);
    StudioWindow(Catalogue catalogue, StudySteps steps, QWidget* parent = nullptr);

    InputsPanel* inputsPanel() const { return inputs_; }
    NumbersView* numbersView() const { return numbers_; }
    LiveStudy* study() const { return study_; }
    MapView* mapView() const { return map_; }
    ProfilesView* profilesView() const { return profiles_; }
    DesignView* designView() const { return design_; }
    QTabWidget* tabs() const { return tabs_; }

    // The file commands without their dialogs. Each says what went wrong in a message box and
    // returns false; the window keeps what it had.
    bool openDesign(const QString& path);
    bool saveDesign(const QString& path);
    // The varnel-calc command line that calculates the inputs shown.
    QString commandLine() const;

    // The size, last folder and recent files kept between runs (QSettings).
    void restoreSettings();
    QStringList recentFiles() const { return recent_; }
    QUndoStack* undoStack() const { return undo_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void createMenus();
    void createInputs(Catalogue catalogue);
    void createTabs();
    void createCentre();
    void createStatusBar();
    void connectStudy();

    // Asks whether to save changes before they are lost; false: the user cancelled.
    bool maybeSave();
    void newDesign();
    void chooseAndOpen();
    bool save();
    bool chooseAndSave();
    void showCommandLine();
    void exportPicture(bool map);
    void showAbout();
    void showManual();
    void remember(const QString& path);
    void fillRecentMenu();
    void inputsEdited();
    void switchTab(int by);
    void warn(const QString& message);
    void setFilePath(const QString& path);

    InputsPanel* inputs_ = nullptr;
    NumbersView* numbers_ = nullptr;
    MapView* map_ = nullptr;
    ProfilesView* profiles_ = nullptr;
    DesignView* design_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    LiveStudy* study_ = nullptr;
    QLabel* state_ = nullptr;
    QString path_;
    QString folder_;
    QStringList recent_;
    QMenu* recentMenu_ = nullptr;
    QUndoStack* undo_ = nullptr;
    DesignInputs shown_;    // the inputs as last applied, for the next undo step
    bool undoing_ = false;  // while an undo step sets the inputs

    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* commandAction_ = nullptr;
    QAction* exportMapAction_ = nullptr;
    QAction* exportProfilesAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* manualAction_ = nullptr;
};

}  // namespace varnel::studio
