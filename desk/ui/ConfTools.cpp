// The tool settings dialog: rows of label, field, browse button and default button, and the
// validation that keeps the focus on the first field in error.
#include "ConfTools.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "Dialogs.h"
#include "Platform.h"
#include "Settings.h"
#include "Texts.h"

using namespace DeskText;

namespace {
constexpr int FieldColumn = 0, BrowseColumn = 1, DefaultColumn = 2, LabelColumn = 0;
constexpr int BrowseWidth = 28;
constexpr int RowSpacing = 2;
constexpr const char* DefaultCaption = "По умолчанию";
constexpr const char* DefaultMakefile = "Makefile.mak";
constexpr const char* DefaultTabSizeText = "1";
}  // namespace

TfrConfTools::TfrConfTools(CToolSettings& s, QWidget* parent) : QDialog(parent), settings(s)
{
    setObjectName(QStringLiteral("TfrConfTools"));
    setWindowTitle(Q(ConfCaption));
    auto* grid = new QGridLayout(this);
    // The layout decides the least size, so a larger font widens the dialog instead of
    // squeezing its rows; at the normal font it opens at its usual size.
    grid->setSizeConstraint(QLayout::SetMinimumSize);
    grid->setVerticalSpacing(RowSpacing);
    grid->setContentsMargins(RowSpacing * 4, RowSpacing * 2, RowSpacing * 4, RowSpacing * 4);
    const CToolSettings defaults;
    edVYKPath = AddRow("Путь к компилятору VYK:", "lbVYKPath", "edVYKPath", "bVYKPathBrowse", "bVYKPathDefault", defaults.vyk);
    edVybindPath = AddRow("Путь к компоновщику Vybind:", "lbVybindPath", "edVybindPath", "bVybindPathBrowse",
                          "bVybindPathDefault", defaults.vybind);
    edVygenPath = AddRow("Путь к утилите Vygen:", "lbVygenPath", "edVygenPath", "bVygenPathBrowse",
                         "bVygenPathDefault", defaults.vygen);

    AddMakefileRow();
    edNMake = AddRow("Строка для запуска NMake (MS Visual C++ 6.0, только Windows):", "lbNMake", "edNMake", "bNMakeBrowse",
                     "bNMakeDefault", defaults.nmake);
    edCppPath = AddRow("Путь к компилятору C++ (g++):", "lbCppPath", "edCppPath", "bCppPathBrowse", "bCppPathDefault",
                       defaults.cpp);
    edMake = AddRow("Строка для запуска make (GNU make):", "lbMake", "edMake", "bMakeBrowse", "bMakeDefault",
                    defaults.make);

    cbWinToOEM = new QCheckBox(QStringLiteral("Перекодировать названия файлов из Win1251 в OEM Cyrillic (для g++ в Windows)"), this);
    cbWinToOEM->setObjectName(QStringLiteral("cbWinToOEM"));
    grid->addWidget(cbWinToOEM, row++, LabelColumn, 1, DefaultColumn + 1);

    auto* bOK = new QPushButton(QStringLiteral("ОК"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    auto* bCancel = new QPushButton(QStringLiteral("Отмена"), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    bCancel->setAutoDefault(false);
    connect(bOK, &QPushButton::clicked, this, &TfrConfTools::bOKClick);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bOK);
    buttons->addWidget(bCancel);
    grid->setRowStretch(row++, 1);
    grid->setColumnStretch(FieldColumn, 1);
    grid->addLayout(buttons, row, LabelColumn, 1, DefaultColumn + 1);
    resize(qMax(ClientWidth, minimumSizeHint().width()), qMax(ClientHeight, minimumSizeHint().height()));
}

// The makefile row carries the tab size beside it, and its default button resets both.
void TfrConfTools::AddMakefileRow()
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* lbMakefile = new QLabel(QStringLiteral("Файл скрипта для запуска C++:"), this);
    lbMakefile->setObjectName(QStringLiteral("lbMakefile"));
    edMakefile = new QLineEdit(this);
    edMakefile->setObjectName(QStringLiteral("edMakefile"));
    auto* lbTabSize = new QLabel(QStringLiteral("Размер табуляции:"), this);
    lbTabSize->setObjectName(QStringLiteral("lbTabSize"));
    edTabSize = new QLineEdit(this);
    edTabSize->setObjectName(QStringLiteral("edTabSize"));
    auto* bMakefileDefault = new QPushButton(Q(DefaultCaption), this);
    bMakefileDefault->setObjectName(QStringLiteral("bMakefileDefault"));
    bMakefileDefault->setAutoDefault(false);
    connect(bMakefileDefault, &QPushButton::clicked, this, [this] {
        edMakefile->setText(QLatin1String(DefaultMakefile));
        edTabSize->setText(QLatin1String(DefaultTabSizeText));
    });
    auto* labels = new QHBoxLayout;
    labels->addWidget(lbMakefile, 1);
    labels->addWidget(lbTabSize);
    grid->addLayout(labels, row++, FieldColumn);
    auto* fields = new QHBoxLayout;
    fields->addWidget(edMakefile, 1);
    fields->addWidget(edTabSize);
    edTabSize->setFixedWidth(lbTabSize->sizeHint().width());
    grid->addLayout(fields, row, FieldColumn);
    grid->addWidget(bMakefileDefault, row, DefaultColumn);
    ++row;
}

QLineEdit* TfrConfTools::AddRow(const char* label, const char* labelName, const char* edit, const char* browse,
                                const char* defaultButton, const QString& defaultText)
{
    auto* grid = static_cast<QGridLayout*>(layout());
    auto* lb = new QLabel(Q(label), this);
    lb->setObjectName(QLatin1String(labelName));
    auto* ed = new QLineEdit(this);
    ed->setObjectName(QLatin1String(edit));
    auto* bBrowse = new QPushButton(QStringLiteral("..."), this);
    bBrowse->setObjectName(QLatin1String(browse));
    bBrowse->setFixedWidth(qMax(BrowseWidth, bBrowse->fontMetrics().horizontalAdvance(bBrowse->text()) * 2));
    bBrowse->setAutoDefault(false);
    auto* bDefault = new QPushButton(Q(DefaultCaption), this);
    bDefault->setObjectName(QLatin1String(defaultButton));
    bDefault->setAutoDefault(false);
    connect(bBrowse, &QPushButton::clicked, this, [this, ed] {
        const QString file = DeskDialogs::OpenFile(this, FilterTools);
        if (!file.isEmpty()) ed->setText(file);
    });
    connect(bDefault, &QPushButton::clicked, this, [ed, defaultText] { ed->setText(defaultText); });
    grid->addWidget(lb, row++, FieldColumn);
    grid->addWidget(ed, row, FieldColumn);
    grid->addWidget(bBrowse, row, BrowseColumn);
    grid->addWidget(bDefault, row, DefaultColumn);
    ++row;
    return ed;
}

void TfrConfTools::LoadFields()
{
    edVYKPath->setText(settings.vyk);
    edVybindPath->setText(settings.vybind);
    edVygenPath->setText(settings.vygen);
    edMakefile->setText(settings.makefile);
    edTabSize->setText(settings.tabSize);
    edNMake->setText(settings.nmake);
    edCppPath->setText(settings.cpp);
    edMake->setText(settings.make);
    cbWinToOEM->setChecked(settings.winToOem);
}

void TfrConfTools::showEvent(QShowEvent* event)
{
    LoadFields();
    // The font may have grown since the dialog was made.
    resize(qMax(width(), minimumSizeHint().width()), qMax(height(), minimumSizeHint().height()));
    QDialog::showEvent(event);
    findChild<QPushButton*>(QStringLiteral("bOK"))->setFocus();
}

bool TfrConfTools::Check(QLineEdit* field, bool bad, const char* message)
{
    if (!bad) return true;
    DeskDialogs::Message(this, DeskDialogs::EKind::Warning, Q(message));
    field->setFocus();
    return false;
}

void TfrConfTools::bOKClick()
{
    const bool ok = Check(edVYKPath, edVYKPath->text().isEmpty(), NoVyk) &&
                    Check(edVybindPath, edVybindPath->text().isEmpty(), NoVybind) &&
                    Check(edVygenPath, edVygenPath->text().isEmpty(), NoVygen) &&
                    Check(edCppPath, edCppPath->text().isEmpty(), NoCpp) &&
                    Check(edMakefile, edMakefile->text().isEmpty(), NoMakefile) &&
                    Check(edTabSize, edTabSize->text().isEmpty(), NoTabSize) &&
                    Check(edTabSize, !IsValidTabSize(edTabSize->text()), BadTabSize) &&
                    Check(edNMake, edNMake->text().isEmpty(), NoNMake) &&
                    Check(edMake, edMake->text().isEmpty(), NoMake);
    if (!ok) return;
    settings.vyk = edVYKPath->text();
    settings.tabSize = edTabSize->text();
    settings.vybind = edVybindPath->text();
    settings.vygen = edVygenPath->text();
    settings.makefile = edMakefile->text();
    settings.nmake = edNMake->text();
    settings.cpp = edCppPath->text();
    settings.make = edMake->text();
    settings.winToOem = cbWinToOEM->isChecked();
    accept();
}
