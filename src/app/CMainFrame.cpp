#include "app/CMainFrame.h"

#include "app/AboutDialog.h"
#include "app/AppSettings.h"
#include "app/CVelutraDoc.h"
#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/SwitchFormEvent.h"
#include "forms/CGrid.h"
#include "forms/CPlot.h"
#include "forms/CVelutraView.h"
#include "forms/Cmap.h"
#include "props/PropertyEngine.h"
#include "record/CompressorRecord.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>

namespace velutra {

namespace {

// The commands a form may serve; the rest do not depend on the visible form.
constexpr int kFormCommands[] = { kCmdNew, kCmdOpen, kCmdSaveAs, kCmdDelete, kCmdImport, kCmdImportCsvMap,
    kCmdImportCoefficients, kCmdExportTable, kCmdExportCsv, kCmdExportCoefficients, kCmdExportPlot };

} // namespace

CMainFrame::CMainFrame(CompressorRecord& record, CVelutraDoc& doc, MessageSink& messages, QWidget* parent)
    : QMainWindow(parent)
    , record_(record)
    , doc_(doc)
    , messages_(messages)
    , propertyEngine_(std::make_unique<PropertyEngine>()) {
    // A fixed-size window: no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    record_.recordLoaded = 1;
    record_.firstUpdatePending = 1;
    help_ = new HelpWindow(this);
    CreateStatusBar();
    CreateMenus();
    const QSettings settings(kSettingsOrganisation, kSettingsApplication);
    propertyEngine_->SetLibraryPath(settings.value(kSettingPropertyLibrary).toString().toStdString());
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::AddCommand(
    int commandId, const QString& text, const QKeySequence& key, const QString& tip) {
    auto* action = new QAction(text, this);
    action->setShortcut(key);
    action->setStatusTip(tip);
    // Commands outside the menus (Ctrl+T, Ctrl+S) still need the window to own their keys.
    addAction(action);
    commands_[commandId] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    auto routeToForm = [this](int commandId, void (FormView::*handler)()) {
        connect(commands_.at(commandId), &QAction::triggered, this, [this, commandId, handler] {
            if (form_ && form_->HandlesCommand(commandId))
                (form_->*handler)();
        });
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(AddCommand(kCmdNew, QStringLiteral("&New\tCtrl+N"), QKeySequence(Qt::CTRL | Qt::Key_N),
        QStringLiteral("Start a new compressor record")));
    file->addAction(AddCommand(kCmdOpen, QStringLiteral("&Open...\tCtrl+O"),
        QKeySequence(Qt::CTRL | Qt::Key_O), QStringLiteral("Open a compressor file")));
    file->addAction(AddCommand(kCmdImportCsvMap, QStringLiteral("Import CSV Map..."), {},
        QStringLiteral("Read a manufacturer's map kept as CSV")));
    file->addAction(AddCommand(kCmdImportCoefficients, QStringLiteral("Import Coefficients..."), {},
        QStringLiteral("Make a map from a ten-coefficient polynomial file")));
    file->addSeparator();
    file->addAction(AddCommand(kCmdSaveAs, QStringLiteral("Save &As..."), {},
        QStringLiteral("Save the smoothed map as a compressor file")));
    // The caption names Ctrl+D, but no key is bound to Delete.
    file->addAction(AddCommand(
        kCmdDelete, QStringLiteral("Delete... \tCtrl+D"), {}, QStringLiteral("Delete a compressor file")));
    file->addAction(AddCommand(kCmdExportTable, QStringLiteral("Export KVS Table..."), {},
        QStringLiteral("Write the smoothed map as a KVS table file")));
    file->addAction(AddCommand(kCmdExportCsv, QStringLiteral("Export CSV..."), {},
        QStringLiteral("Write the map as shown, with its multipliers, as a CSV map")));
    file->addAction(AddCommand(kCmdExportCoefficients, QStringLiteral("Export Coefficients..."), {},
        QStringLiteral("Write the ten-coefficient polynomials of the map")));
    file->addAction(AddCommand(kCmdExportPlot, QStringLiteral("Export Plot..."), {},
        QStringLiteral("Write the plot as a PNG image or an SVG drawing")));
    file->addSeparator();
    file->addAction(AddCommand(kCmdExit, QStringLiteral("E&xit"), {}, QStringLiteral("Quit Velutra")));

    AddCommand(kCmdImport, QStringLiteral("Import DOS KVS File"), QKeySequence(Qt::CTRL | Qt::Key_T),
        QStringLiteral("Import a KVS table file"));
    AddCommand(kCmdSave, QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
        QStringLiteral("Save the record to the file it was read from"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(AddCommand(
        kCmdHelpTopics, QStringLiteral("&Help Topics"), {}, QStringLiteral("List the help topics")));
    help->addAction(AddCommand(kCmdHelp, QStringLiteral("&Help"), QKeySequence(Qt::Key_F1),
        QStringLiteral("Help on the visible form")));
    help->addSeparator();
    help->addAction(AddCommand(kCmdAbout, QStringLiteral("&About Velutra..."), {},
        QStringLiteral("Program information and version")));

    routeToForm(kCmdNew, &FormView::OnNew);
    routeToForm(kCmdOpen, &FormView::OnOpen);
    routeToForm(kCmdImport, &FormView::OnImport);
    routeToForm(kCmdImportCsvMap, &FormView::OnImportCsvMap);
    routeToForm(kCmdImportCoefficients, &FormView::OnImportCoefficients);
    routeToForm(kCmdSaveAs, &FormView::OnSaveAs);
    routeToForm(kCmdExportTable, &FormView::OnExportTable);
    routeToForm(kCmdExportPlot, &FormView::OnExportPlot);
    routeToForm(kCmdExportCsv, &FormView::OnExportCsv);
    routeToForm(kCmdExportCoefficients, &FormView::OnExportCoefficients);
    connect(commands_.at(kCmdDelete), &QAction::triggered, this, [this] {
        if (form_ && form_->HandlesCommand(kCmdDelete))
            doc_.OnDelete();
    });
    connect(commands_.at(kCmdSave), &QAction::triggered, &doc_, &CVelutraDoc::OnSave);
    connect(commands_.at(kCmdExit), &QAction::triggered, this, &QWidget::close);
    connect(commands_.at(kCmdHelpTopics), &QAction::triggered, help_, &HelpWindow::ShowContents);
    connect(
        commands_.at(kCmdHelp), &QAction::triggered, this, [this] { help_->ShowTopic(record_.helpContext); });
    connect(commands_.at(kCmdAbout), &QAction::triggered, this, &CMainFrame::ShowAbout);
}

void CMainFrame::CreateStatusBar() {
    // Menu prompts replace the idle text while they are shown, as status tips do.
    statusBar()->addWidget(new QLabel(QStringLiteral("For Help, press F1"), this), 1);
    currentFile_ = new QLabel(QStringLiteral("Current file: not yet read"), this);
    currentFile_->setFixedWidth(450);
    statusBar()->addPermanentWidget(currentFile_);
}

QAction* CMainFrame::Command(int commandId) const {
    const auto found = commands_.find(commandId);
    return found == commands_.end() ? nullptr : found->second;
}

QString CMainFrame::CurrentFileText() const {
    return currentFile_->text();
}

void CMainFrame::RequestForm(int formId) {
    QCoreApplication::postEvent(this, new SwitchFormEvent(formId));
}

void CMainFrame::SetCurrentFile(const QString& path) {
    currentFile_->setText(QStringLiteral("Current file: ") + path);
    record_.currentFileName = path.toStdString();
}

void CMainFrame::ShowInitialForm() {
    Install(CreateForm(kFormDescription));
    currentFormId_ = kFormDescription;
}

FormView* CMainFrame::CreateForm(int formId) {
    const FormContext context { record_, doc_, *this, messages_ };
    switch (formId) {
    case kFormDescription:
        return new CVelutraView(context);
    case kFormMap:
        return new Cmap(context);
    case kFormPlots:
        return new CPlot(context);
    case kFormSmoothedMap:
        return new CGrid(context);
    default:
        return nullptr;
    }
}

void CMainFrame::Install(FormView* form) {
    setCentralWidget(form);
    // A widget given a new parent stays hidden until shown, and a hidden form would leave the
    // frame to shrink around nothing.
    form->show();
    form_ = form;
    form->InitialUpdate();
    UpdateCommands();
    adjustSize();
    setFixedSize(size());
}

void CMainFrame::SwitchForm(int formId) {
    if (formId == currentFormId_)
        return;
    FormView* form = CreateForm(formId);
    if (!form)
        return;
    // Taken out first so the frame does not merely schedule its deletion.
    QWidget* old = takeCentralWidget();
    Install(form);
    currentFormId_ = formId;
    delete old;
}

void CMainFrame::UpdateCommands() {
    // Only the plot form has a plot to export; elsewhere the command is not offered at all. (A
    // hidden action reads as disabled, so it is shown before it is enabled.)
    commands_.at(kCmdExportPlot)->setVisible(form_ && form_->HandlesCommand(kCmdExportPlot));
    for (const int id : kFormCommands)
        commands_.at(id)->setEnabled(form_ && form_->HandlesCommand(id));
}

void CMainFrame::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

bool CMainFrame::event(QEvent* event) {
    if (event->type() == SwitchFormEvent::kType) {
        SwitchForm(static_cast<SwitchFormEvent*>(event)->CommandId());
        return true;
    }
    return QMainWindow::event(event);
}

void CMainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_ || !screen())
        return;
    // A little right of the screen's middle (x from 3/4 of the width), as the program always placed it.
    placed_ = true;
    const QRect screenArea = screen()->availableGeometry();
    move(screenArea.x() + (screenArea.width() - (3 * width()) / 4) / 2,
        screenArea.y() + (screenArea.height() - height()) / 2);
}

} // namespace velutra
