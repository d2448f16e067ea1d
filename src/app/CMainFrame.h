#pragma once

#include "app/FormHost.h"
#include "props/PropertyEngine.h"

#include <QMainWindow>
#include <map>
#include <memory>

class QAction;
class QLabel;

namespace velutra {

struct CompressorRecord;
class CVelutraDoc;
class FormView;
class HelpWindow;
class MessageSink;

// The main window: menus and keys, the status bar, and exactly one form at a time, replaced
// at every switch request.
class CMainFrame : public QMainWindow, public FormHost {
    Q_OBJECT

public:
    CMainFrame(CompressorRecord& record, CVelutraDoc& doc, MessageSink& messages, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Creates the description form; the start-up load runs in its initial update.
    void ShowInitialForm();

    // Names a file in the status bar and makes it the record's current file.
    void SetCurrentFile(const QString& path) override;
    void SetCaption(const QString& caption) override { setWindowTitle(caption); }
    void RequestForm(int formId) override;

    int CurrentFormId() const { return currentFormId_; }
    FormView* CurrentForm() const { return form_; }
    // The menu or key command with a command id, or nullptr.
    QAction* Command(int commandId) const;
    QString CurrentFileText() const;
    HelpWindow* Help() const { return help_; }
    // The one property engine of the run.
    PropertyEngine& Engine() override { return *propertyEngine_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QAction* AddCommand(int commandId, const QString& text, const QKeySequence& key, const QString& tip);
    void CreateMenus();
    void CreateStatusBar();
    FormView* CreateForm(int formId);
    void SwitchForm(int formId);
    void Install(FormView* form);
    void UpdateCommands();
    void ShowAbout();

    CompressorRecord& record_;
    CVelutraDoc& doc_;
    MessageSink& messages_;
    std::unique_ptr<PropertyEngine> propertyEngine_;
    FormView* form_ = nullptr;
    int currentFormId_ = 0;
    std::map<int, QAction*> commands_;
    QLabel* currentFile_ = nullptr;
    HelpWindow* help_ = nullptr;
    bool placed_ = false;
};

} // namespace velutra
