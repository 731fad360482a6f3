// TfrConfTools, the tool settings dialog: paths of the three console programs and the C++
// compiler, the make command lines, the makefile name, the tab size and the file name
// conversion. OK validates the fields in a fixed order and writes them into the settings.
#pragma once
#include <QDialog>

struct CToolSettings;
class QCheckBox;
class QLineEdit;

class TfrConfTools : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 547;
    static constexpr int ClientHeight = 351;

    TfrConfTools(CToolSettings& settings, QWidget* parent = nullptr);

    // Loads the fields from the settings (done each time the dialog is shown).
    void LoadFields();
    // Checks the fields; on success stores them and closes with OK.
    void bOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* AddRow(const char* label, const char* labelName, const char* edit, const char* browse,
                      const char* defaultButton, const QString& defaultText);
    void AddMakefileRow();
    bool Check(QLineEdit* field, bool bad, const char* message);

    CToolSettings& settings;
    QLineEdit* edVYKPath;
    QLineEdit* edVybindPath;
    QLineEdit* edVygenPath;
    QLineEdit* edMakefile;
    QLineEdit* edTabSize;
    QLineEdit* edNMake;
    QLineEdit* edCppPath;
    QLineEdit* edMake;
    QCheckBox* cbWinToOEM;
    int row = 0;
};
