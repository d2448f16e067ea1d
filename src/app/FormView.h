#pragma once

#include "app/FormContext.h"

#include <QBoxLayout>
#include <QWidget>

class QPushButton;

namespace velutra {

// A form shown in the frame. It lives from the switch that shows it to the next switch. The
// frame routes the menu commands to the visible form; the defaults below are those of the map,
// plots and smoothed-map forms, which return to the description form after a record was read.
class FormView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 514;

    FormView(const FormContext& context, int formId, QWidget* parent = nullptr);

    int FormId() const { return formId_; }

    // Loads the controls from the record, sets the frame caption and the help topic. Run once,
    // right after the frame has made the form its central widget.
    virtual void InitialUpdate() = 0;

    // Whether the form serves a command id; the frame disables the commands it does not.
    virtual bool HandlesCommand(int commandId) const;

    virtual void OnNew();
    virtual void OnOpen();
    virtual void OnImport();
    virtual void OnImportCsvMap();
    virtual void OnImportCoefficients();
    virtual void OnSaveAs() { }
    virtual void OnExportTable() { }
    virtual void OnExportCsv() { }
    virtual void OnExportCoefficients() { }
    virtual void OnExportPlot() { }

protected:
    // After an import: the description form shows a record that was filled from a file.
    virtual void AfterImport();
    // Posts the switch request for another form; the frame handles it after this handler returns.
    void PostSwitch(int formId);
    // A button in the bottom row, named for assistive tools by its caption.
    QPushButton* AddButton(const QString& caption);
    // A bottom-row button ("<< Back", "Next >>", "New Run >>") that only asks for another form.
    QPushButton* AddNavigationButton(const QString& caption, int targetFormId);
    // Caption of the map, plots and smoothed-map forms: the title, then the compressor's names.
    void SetCaptionWithModel(const QString& title);

    FormContext context_;
    QBoxLayout* body_;

private:
    int formId_;
    QBoxLayout* buttons_;
};

} // namespace velutra
