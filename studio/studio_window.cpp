// SPDX-License-Identifier: GPL-3.0-or-later
#include "studio/studio_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

#include "studio/core/design_file.h"
#include "studio/core/study_bridge.h"
#include "studio/design_view.h"
#include "studio/inputs_panel.h"
#include "studio/map_view.h"
#include "studio/numbers_view.h"
#include "studio/profiles_view.h"

namespace varnel::studio {

namespace {

// 1200 x 800 where the screen has room (with its frame); on a small or scaled screen (1280 x 720
// at 150 % leaves 853 x 480) as much of it as there is, never less than the window can be.
QSize FirstSize(QSize available) {
    return QSize(std::min(1200, available.width() * 9 / 10),
                 std::min(800, available.height() * 9 / 10));
}

}  // namespace

StudioWindow::StudioWindow(QWidget* parent)
    : StudioWindow(BuiltInCatalogue(), StudySteps::Standard(), parent) {}

StudioWindow::StudioWindow(Catalogue catalogue, StudySteps steps, QWidget* parent)
    : QMainWindow(parent), study_(new LiveStudy(std::move(steps), this)) {
    setObjectName(QStringLiteral("studioWindow"));
    createActions();
    createMenus();
    createInputs(std::move(catalogue));
    createTabs();
    createCentre();
    createStatusBar();
    connectStudy();
    setFilePath({});
    resize(FirstSize(screen() ? screen()->availableGeometry().size() : QSize(1200, 800)));
    shown_ = inputs_->inputs();
    // Ctrl+Tab and Ctrl+PgDn switch tabs from anywhere, never stepping a spin box.
    qApp->installEventFilter(this);
    study_->start(inputs_->inputs());
    map_->setInputs(inputs_->inputs());
    profiles_->setInputs(inputs_->inputs());
}

void StudioWindow::createActions() {
    auto make = [this](QAction** action, const QString& text, QKeySequence key, auto handler) {
        *action = new QAction(text, this);
        (*action)->setShortcut(key);
        connect(*action, &QAction::triggered, this, handler);
    };
    make(&newAction_, tr("&New"), QKeySequence::New, [this] { newDesign(); });
    make(&openAction_, tr("&Open…"), QKeySequence::Open, [this] { chooseAndOpen(); });
    make(&saveAction_, tr("&Save"), QKeySequence::Save, [this] { save(); });
    make(&saveAsAction_, tr("Save &As…"), QKeySequence::SaveAs, [this] { chooseAndSave(); });
    make(&commandAction_, tr("&Command Line for varnel-calc…"), QKeySequence(),
         [this] { showCommandLine(); });
    make(&exportMapAction_, tr("&Map as PNG, SVG or CSV…"), QKeySequence(),
         [this] { exportPicture(true); });
    make(&exportProfilesAction_, tr("&Profiles as PNG, SVG or CSV…"), QKeySequence(),
         [this] { exportPicture(false); });
    make(&quitAction_, tr("&Quit"), QKeySequence::Quit, [this] { close(); });
    make(&copyAction_, tr("&Copy Numbers"), QKeySequence(), [this] { numbers_->copy(); });
    make(&aboutAction_, tr("&About"), QKeySequence(), [this] { showAbout(); });
    make(&manualAction_, tr("&Manual"), QKeySequence::HelpContents, [this] { showManual(); });
    undo_ = new QUndoStack(this);
    newAction_->setToolTip(tr("Starts again from the default design"));
    commandAction_->setToolTip(tr("Shows the varnel-calc command that calculates this design"));
}

void StudioWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(newAction_);
    file->addAction(openAction_);
    file->addAction(saveAction_);
    file->addAction(saveAsAction_);
    recentMenu_ = file->addMenu(tr("Open &Recent"));
    recentMenu_->setObjectName(QStringLiteral("menuRecent"));
    file->addSeparator();
    QMenu* exportMenu = file->addMenu(tr("&Export"));
    exportMenu->addAction(exportMapAction_);
    exportMenu->addAction(exportProfilesAction_);
    exportMenu->addAction(commandAction_);
    file->addSeparator();
    file->addAction(quitAction_);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* undo = undo_->createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setObjectName(QStringLiteral("actionUndo"));
    QAction* redo = undo_->createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence::Redo);
    redo->setObjectName(QStringLiteral("actionRedo"));
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(copyAction_);
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(manualAction_);
    help->addAction(aboutAction_);
}

void StudioWindow::createInputs(Catalogue catalogue) {
    inputs_ = new InputsPanel(std::move(catalogue));
}

void StudioWindow::createTabs() {
    tabs_ = new QTabWidget;
    tabs_->setObjectName(QStringLiteral("tabs"));
    numbers_ = new NumbersView;
    map_ = new MapView;
    profiles_ = new ProfilesView;
    design_ = new DesignView;
    tabs_->addTab(numbers_, tr("Numbers"));
    tabs_->addTab(map_, tr("Map"));
    tabs_->addTab(profiles_, tr("Profiles"));
    tabs_->addTab(design_, tr("Design"));
}

void StudioWindow::createCentre() {
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("inputsScroll"));
    scroll->setWidget(inputs_);
    scroll->setWidgetResizable(true);
    // The inputs at their width where there is room (the splitter starts so); from 800 px
    // wide the column may be narrower (250 px, room for the tabs beside it in Russian too):
    // its rows then put their boxes under their labels, and a sideways scroll bar is left
    // only for a column dragged narrower still.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->setMinimumWidth(250);
    auto* splitter = new QSplitter;
    splitter->addWidget(scroll);
    splitter->addWidget(tabs_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({inputs_->sizeHint().width() + 24, 800});
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
}

void StudioWindow::createStatusBar() {
    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("lState"));
    statusBar()->addWidget(state_, 1);
}

void StudioWindow::connectStudy() {
    connect(inputs_, &InputsPanel::inputsChanged, this, [this] {
        inputsEdited();
        setWindowModified(true);
        study_->request(inputs_->inputs());
        map_->setInputs(inputs_->inputs());
        profiles_->setInputs(inputs_->inputs());
    });
    connect(study_, &LiveStudy::numbersReady, profiles_, [this](const StudyNumbers& n) {
        if (!n.checked)
            return;
        profiles_->setExtents(n.uniformAxial.found ? n.uniformAxial.metres : 0,
                              n.uniformRadial.found ? n.uniformRadial.metres : 0,
                              n.uniformityTolerance * 100);
    });
    map_->setSphereRadius(design_->goals().uniformRadiusMm / 1000);
    connect(design_, &DesignView::designChosen, this, [this](const DesignInputs& in) {
        inputs_->setInputs(in);
        const DesignGoals g = design_->goals();
        map_->setSphereRadius(g.uniformRadiusMm / 1000);
    });
    connect(study_, &LiveStudy::numbersReady, numbers_, &NumbersView::showNumbers);
    // The probe: a click on the map sets the field point, a line drawn opens its profile.
    connect(map_, &MapView::pointChosen, this, [this](double x, double z) {
        DesignInputs in = inputs_->inputs();
        in.pointXMm = x * 1000;
        in.pointZMm = z * 1000;
        inputs_->setInputs(RoundedToBoxes(in));
    });
    connect(map_, &MapView::lineDrawn, this, [this](double x0, double z0, double x1, double z1) {
        profiles_->setLine(x0, z0, x1, z1);
        tabs_->setCurrentWidget(profiles_);
    });
    connect(study_, &LiveStudy::busyChanged, this,
            [this](bool busy) { state_->setText(busy ? tr("Calculating…") : tr("Ready")); });
    state_->setText(tr("Calculating…"));
}

void StudioWindow::setFilePath(const QString& path) {
    path_ = path;
    const QString name = path.isEmpty() ? tr("Untitled") : QFileInfo(path).fileName();
    setWindowTitle(tr("%1[*] — Varnel Coils Studio").arg(name));
    setWindowModified(false);
}

void StudioWindow::warn(const QString& message) {
    QMessageBox box(QMessageBox::Warning, tr("Varnel Coils Studio"), message, QMessageBox::Ok,
                    this);
    box.exec();
}

bool StudioWindow::maybeSave() {
    if (!isWindowModified())
        return true;
    QMessageBox box(QMessageBox::Question, tr("Varnel Coils Studio"),
                    tr("The design has changed. Save it first?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return save();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

void StudioWindow::closeEvent(QCloseEvent* event) {
    if (maybeSave()) {
        QSettings().setValue(QStringLiteral("window/geometry"), saveGeometry());
        event->accept();
    } else {
        event->ignore();
    }
}

void StudioWindow::newDesign() {
    if (!maybeSave())
        return;
    inputs_->setInputs(DesignInputs{});
    setFilePath({});
}

bool StudioWindow::openDesign(const QString& path) {
    const auto read = OpenDesign(path);
    if (const QString* message = std::get_if<QString>(&read)) {
        warn(*message);
        return false;
    }
    inputs_->setInputs(std::get<DesignInputs>(read));
    // The design goals saved with the inputs, where the file has them (checked by the
    // design view's boxes, which show them as they take them).
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        if (const std::optional<DesignGoals> goals = ReadDesignGoals(file.read(1 << 20)))
            design_->setGoals(*goals);
    }
    setFilePath(path);
    remember(path);
    return true;
}

bool StudioWindow::saveDesign(const QString& path) {
    const QString message = SaveDesign(path, inputs_->inputs(), design_->goals());
    if (!message.isEmpty()) {
        warn(message);
        return false;
    }
    setFilePath(path);
    remember(path);
    return true;
}

namespace {
constexpr int kRecentFiles = 6;

// One step of the inputs' history: the inputs before and after it. Steps of one burst of
// typing merge into one.
class InputsStep : public QUndoCommand {
  public:
    InputsStep(InputsPanel* panel, bool* undoing, DesignInputs* shown, DesignInputs before,
               DesignInputs after)
        : panel_(panel),
          undoing_(undoing),
          shown_(shown),
          before_(std::move(before)),
          after_(std::move(after)) {
        setText(QCoreApplication::translate("varnel::studio::StudioWindow", "change of inputs"));
        clock_.start();
    }
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const InputsStep*>(other);
        if (clock_.elapsed() > 1000)
            return false;
        after_ = next->after_;
        clock_.restart();
        return true;
    }
    void undo() override { apply(before_); }
    void redo() override { apply(after_); }

  private:
    void apply(const DesignInputs& in) {
        if (panel_->inputs() == in)
            return;  // the first redo: the inputs are already so
        *undoing_ = true;
        *shown_ = in;
        panel_->setInputs(in);
        *undoing_ = false;
    }
    InputsPanel* panel_;
    bool* undoing_;
    DesignInputs* shown_;
    DesignInputs before_, after_;
    QElapsedTimer clock_;
};
}  // namespace

void StudioWindow::inputsEdited() {
    const DesignInputs now = inputs_->inputs();
    if (undoing_ || now == shown_)
        return;
    undo_->push(new InputsStep(inputs_, &undoing_, &shown_, shown_, now));
    shown_ = now;
}

void StudioWindow::restoreSettings() {
    QSettings settings;
    const QByteArray geometry = settings.value(QStringLiteral("window/geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    folder_ = settings.value(QStringLiteral("files/folder")).toString();
    recent_ = settings.value(QStringLiteral("files/recent")).toStringList();
    fillRecentMenu();
}

void StudioWindow::remember(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    folder_ = QFileInfo(full).path();
    recent_.removeAll(full);
    recent_.prepend(full);
    while (recent_.size() > kRecentFiles)
        recent_.removeLast();
    QSettings settings;
    settings.setValue(QStringLiteral("files/folder"), folder_);
    settings.setValue(QStringLiteral("files/recent"), recent_);
    fillRecentMenu();
}

void StudioWindow::fillRecentMenu() {
    recentMenu_->clear();
    for (int i = 0; i < recent_.size(); ++i) {
        const QString path = recent_[i];
        QAction* a = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (maybeSave())
                openDesign(path);
        });
    }
    recentMenu_->setEnabled(!recent_.isEmpty());
}

void StudioWindow::switchTab(int by) {
    const int n = tabs_->count();
    tabs_->setCurrentIndex((tabs_->currentIndex() + by + n) % n);
}

bool StudioWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool ctrl = key->modifiers().testFlag(Qt::ControlModifier);
        int by = 0;
        if (ctrl && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_PageDown))
            by = 1;
        else if (ctrl && (key->key() == Qt::Key_Backtab || key->key() == Qt::Key_PageUp))
            by = -1;
        if (by != 0 && widget && widget->window() == this) {
            if (event->type() == QEvent::KeyPress)
                switchTab(by);
            event->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void StudioWindow::chooseAndOpen() {
    if (!maybeSave())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Open Design"), path_.isEmpty() ? folder_ : QFileInfo(path_).path(),
        tr("Coil designs (*.json)"));
    if (!path.isEmpty())
        openDesign(path);
}

bool StudioWindow::save() {
    return path_.isEmpty() ? chooseAndSave() : saveDesign(path_);
}

bool StudioWindow::chooseAndSave() {
    QString path = QFileDialog::getSaveFileName(
        this, tr("Save Design"), path_.isEmpty() ? folder_ : path_, tr("Coil designs (*.json)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    return saveDesign(path);
}

QString StudioWindow::commandLine() const {
    return (QStringList{QStringLiteral("varnel-calc")} + CommandLineArguments(inputs_->inputs()))
        .join(QLatin1Char(' '));
}

void StudioWindow::showCommandLine() {
    QDialog dialog(this);
    dialog.setWindowTitle(tr("Command Line for varnel-calc"));
    auto* column = new QVBoxLayout(&dialog);
    auto* note =
        new QLabel(tr("This command calculates the design shown, with every value in SI units:"));
    note->setWordWrap(true);
    column->addWidget(note);
    auto* text = new QPlainTextEdit(commandLine());
    text->setObjectName(QStringLiteral("teCommandLine"));
    text->setReadOnly(true);
    text->setMinimumWidth(560);
    text->setMaximumHeight(90);
    column->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(tr("Close"));
    QPushButton* copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, &dialog,
            [this] { QApplication::clipboard()->setText(commandLine()); });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(buttons);
    dialog.exec();
}

void StudioWindow::exportPicture(bool map) {
    const QString path = QFileDialog::getSaveFileName(
        this, map ? tr("Export Map") : tr("Export Profiles"), QFileInfo(path_).path(),
        tr("PNG pictures (*.png);;SVG drawings (*.svg);;CSV tables (*.csv)"));
    if (path.isEmpty())
        return;
    const QString message = map ? map_->exportTo(path) : profiles_->exportTo(path);
    if (!message.isEmpty())
        warn(message);
}

void StudioWindow::showAbout() {
    QMessageBox::about(
        this, tr("Varnel Coils Studio"),
        tr("<p><b>Varnel Coils Studio %1</b></p>"
           "<p>Shows what a pair of coaxial coils gives: the calculator's numbers beside exact "
           "values, and the field.</p>"
           "<p>Free software under the GNU General Public License, version 3 or later; it "
           "comes with no warranty. The licence's text is installed in %2.</p>"
           "<p>Help › Manual has a short guide with the formulas used and their limits; the "
           "README in the same folder describes the calculator and varnel-calc.</p>")
            .arg(QStringLiteral(VARNEL_VERSION), DocumentationFolder().toHtmlEscaped()));
}

QString DocumentationFolder() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/doc/varnel-coils"));
}

void StudioWindow::showManual() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("manualDialog"));
    dialog.setWindowTitle(tr("Varnel Coils Studio Manual"));
    auto* column = new QVBoxLayout(&dialog);
    auto* text = new QTextBrowser;
    text->setObjectName(QStringLiteral("tbManual"));
    text->setOpenExternalLinks(true);
    // The installed guide where there is one (it may be newer), else the one built in.
    const QString name = QLocale().language() == QLocale::Russian
                             ? QStringLiteral("studio-manual_ru.html")
                             : QStringLiteral("studio-manual.html");
    QFile installed(QDir(DocumentationFolder()).absoluteFilePath(name));
    QFile builtIn(QStringLiteral(":/manual/") + name);
    QFile& file = installed.exists() ? installed : builtIn;
    if (file.open(QIODevice::ReadOnly))
        text->setHtml(QString::fromUtf8(file.readAll()));
    column->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(tr("Close"));
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(buttons);
    dialog.resize(640, 520);
    dialog.exec();
}

}  // namespace varnel::studio
