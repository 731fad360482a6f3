// The main window: its controls, menus, tool bar and keys, and the handlers that pass each
// command to the core. Layout sizes are those of the window at 96 dpi.
#include "MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QPainter>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "About.h"
#include "ConfTools.h"
#include "Dialogs.h"
#include "Editor.h"
#include "Texts.h"

using namespace DeskText;

namespace {

// The first size of the window, at most this share of the screen.
constexpr int FormWidth = 1000;
constexpr int FormHeight = 680;
constexpr double MaxScreenShare = 0.9;
constexpr int OutputHeight = 220;
constexpr int SplitterMinimum = 50;
constexpr int ItemTextGap = 2;
constexpr int ItemHeightExtra = 3;
constexpr int BitmapSize = 16;
constexpr int TargetHintRole = Qt::ToolTipRole;
constexpr int TargetGppConsole = 2;

// The main-file picture: a yellow arrow on blue, blue being the transparent colour.
QPixmap MakeMainFileBitmap()
{
    const QColor transparent(0, 0, 255);
    QPixmap pix(BitmapSize, BitmapSize);
    pix.fill(transparent);
    {
        QPainter g(&pix);
        g.setRenderHint(QPainter::Antialiasing, false);
        g.setPen(QColor(128, 64, 0));
        g.setBrush(QColor(255, 200, 0));
        const QPoint arrow[] = {{2, 5}, {8, 5}, {8, 1}, {14, 8}, {8, 14}, {8, 10}, {2, 10}};
        g.drawPolygon(arrow, int(std::size(arrow)));
    }
    pix.setMask(pix.createMaskFromColor(transparent));
    return pix;
}

// Draws the file list: every text indented by the bitmap's width, the bitmap before the main file.
class CFileItemDelegate : public QStyledItemDelegate {
public:
    CFileItemDelegate(const QPixmap& bitmap, const QString& main, QObject* parent)
        : QStyledItemDelegate(parent), pix(bitmap), mainFile(main) {}

    void paint(QPainter* g, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        g->fillRect(option.rect, selected ? pal.highlight() : pal.base());
        const QString text = index.data().toString();
        if (text == mainFile) g->drawPixmap(option.rect.topLeft(), pix);
        g->setPen(selected ? pal.highlightedText().color() : pal.text().color());
        const QRect r = option.rect.adjusted(pix.width() + ItemTextGap, ItemTextGap, 0, 0);
        g->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(qMax(option.fontMetrics.height() + ItemHeightExtra, pix.height()));
        return s;
    }

    const QPixmap& pix;
    const QString& mainFile;
};

// The keys of the menu commands, shown in the menus and handled by FormKeyDown.
struct SShortcut {
    const char* action;
    const char* keys;
};

const SShortcut Shortcuts[] = {
    {"miCreatePro", "Ctrl+N"}, {"miOpenPro", "Ctrl+O"}, {"miSavePro", "Ctrl+S"}, {"miSaveProAs", "Ctrl+Shift+S"},
    {"miClosePro", "Ctrl+W"}, {"miExit", "Alt+X"}, {"miAddFile", "Ctrl+="}, {"miRemoveFile", "Ctrl+-"},
    {"miFileUp", "Ctrl+U"}, {"miFileDown", "Ctrl+D"}, {"miSetMain", "Ctrl+M"}, {"miClear", "Ctrl+Shift+L"},
    {"miAddPath", "Ctrl+Shift+A"}, {"miRemovePath", "Ctrl+Shift+R"}, {"miPathUp", "Ctrl+Shift+U"},
    {"miPathDown", "Ctrl+Shift+D"}, {"miConfTools", "Ctrl+T"}, {"miCompile", "Ctrl+F7"}, {"miCompileAll", "F7"},
    {"miMake", "F8"}, {"miRunExec", "F5"}, {"miStop", "Esc"}, {"miVersionInfo", "Ctrl+I"}, {"miAbout", "F1"},
    {"miReopenSub1", "Ctrl+1"}, {"miReopenSub2", "Ctrl+2"}, {"miReopenSub3", "Ctrl+3"}, {"miReopenSub4", "Ctrl+4"},
};

// The menu shows the command's key; the key itself is handled by the window (FormKeyDown), so
// the shortcut is live only inside the open menu.
QAction* ShowKey(QAction* a)
{
    const QByteArray name = a->objectName().toLatin1();
    for (const SShortcut& s : Shortcuts) {
        if (qstrcmp(s.action, name.constData()) != 0) continue;
        a->setShortcut(QKeySequence(QLatin1String(s.keys)));
        a->setShortcutContext(Qt::WidgetShortcut);
    }
    return a;
}

struct SToolButton {
    const char* name;
    const char* hint;
    QStyle::StandardPixmap icon;
};

const SToolButton ToolButtons[] = {
    {"tbCreatePro", "Создать новый проект (Ctrl+N)", QStyle::SP_FileIcon},
    {"tbOpenPro", "Открыть проект (Ctrl+O)", QStyle::SP_DialogOpenButton},
    {"tbSavePro", "Сохранить проект (Ctrl+S)", QStyle::SP_DialogSaveButton},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"tbAddFile", "Добавить файл в проект (Ctrl+'=')", QStyle::SP_FileDialogNewFolder},
    {"tbRemoveFile", "Убрать файл из проекта (Ctrl+'-')", QStyle::SP_TrashIcon},
    {"tbFileUp", "Повысить приоритет файла (Ctrl+U)", QStyle::SP_ArrowUp},
    {"tbFileDown", "Понизить приоритет файла (Ctrl+D)", QStyle::SP_ArrowDown},
    {"tbSetMain", "Назначить главный файл (Ctrl+M)", QStyle::SP_DialogApplyButton},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"tbClear", "Очистить проект - удалить временные файлы", QStyle::SP_DialogResetButton},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"tbCompile", "Компиляция выделенного файла (Ctrl+F7)", QStyle::SP_FileDialogDetailedView},
    {"tbCompileAll", "Компиляция проекта (F7)", QStyle::SP_FileDialogListView},
    {"tbMake", "Сборка исполняемого файла (F8)", QStyle::SP_BrowserReload},
    {"tbRunExec", "Запуск исполняемого файла (F5)", QStyle::SP_MediaPlay},
    {"tbStop", "Остановить запущенную программу (Esc)", QStyle::SP_BrowserStop},
    {nullptr, nullptr, QStyle::SP_CustomBase},
    {"tbExit", "Выход (Alt+X)", QStyle::SP_DialogCloseButton},
};

const SToolButton ImportButtons[] = {
    {"tbAddPath", "Добавить каталог с модулями в список", QStyle::SP_FileDialogNewFolder},
    {"tbRemovePath", "Убрать выделенный каталог с модулями", QStyle::SP_TrashIcon},
    {"tbPathUp", "Повысить приоритет каталога", QStyle::SP_ArrowUp},
    {"tbPathDown", "Понизить приоритет каталога", QStyle::SP_ArrowDown},
};

QWidget* Panel(const char* name, QWidget* parent)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

}  // namespace

TfrVydesk::TfrVydesk(QWidget* parent) : QMainWindow(parent), pipeline(new CToolPipeline(project, *this, this))
{
    setObjectName(QStringLiteral("TfrVydesk"));
    setWindowTitle(QLatin1String(AppName));
    resize(FormWidth, FormHeight);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        resize(qMin(FormWidth, int(avail.width() * MaxScreenShare)), qMin(FormHeight, int(avail.height() * MaxScreenShare)));
        move(avail.center() - rect().center());
    }
    mainFileBitmap = MakeMainFileBitmap();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateControls();
    ConnectCommands();
    frConfTools = new TfrConfTools(project.settings, this);
    frAbout = new TfrAbout(this);
    qApp->installEventFilter(this);
    project.settings.SetDefaults();
    project.MarkSaved();
    ShowProject();
    ShowPaths();
    ShowRecent();
    SetCommandsEnabled(true);
}

TfrVydesk::~TfrVydesk()
{
    qApp->removeEventFilter(this);
    pipeline->Shutdown();
}

QAction* TfrVydesk::NewAction(const char* name, const QString& text)
{
    auto* a = new QAction(text, this);
    a->setObjectName(QLatin1String(name));
    return a;
}

void TfrVydesk::CreateActions()
{
    for (const SToolButton& b : ToolButtons) {
        if (!b.name) continue;
        QAction* a = NewAction(b.name, Q(b.hint));
        a->setToolTip(Q(b.hint));
        a->setIcon(style()->standardIcon(b.icon));
    }
    for (const SToolButton& b : ImportButtons) {
        QAction* a = NewAction(b.name, Q(b.hint));
        a->setToolTip(Q(b.hint));
        a->setIcon(style()->standardIcon(b.icon));
    }
    findChild<QAction*>(QStringLiteral("tbAddPath"))->setText(QStringLiteral("Добавить"));
}

void TfrVydesk::CreateMenus()
{
    QMenuBar* mm = menuBar();
    mm->setObjectName(QStringLiteral("mmMenu"));
    struct SItem {
        const char* name;
        const char* caption;
    };
    auto addMenu = [&](const char* name, const char* caption, std::initializer_list<SItem> items) {
        QMenu* m = mm->addMenu(Q(caption));
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        for (const SItem& it : items) {
            if (!it.name) m->addSeparator();
            else if (qstrcmp(it.name, "miReopen") == 0) {
                miReopen = m->addMenu(Q(it.caption));
                miReopen->setObjectName(QStringLiteral("miReopen"));
                for (int i = 0; i < MaxRecentProjects; ++i) {
                    const QByteArray sub = "miReopenSub" + QByteArray::number(i + 1);
                    miReopenSub[i] = ShowKey(NewAction(sub.constData(), QString()));
                    miReopen->addAction(miReopenSub[i]);
                    connect(miReopenSub[i], &QAction::triggered, this, [this, i] { miReopenSubClick(i); });
                }
            } else {
                m->addAction(ShowKey(NewAction(it.name, Q(it.caption))));
            }
        }
    };
    addMenu("miFile", "&Файл",
            {{"miCreatePro", "Создать &новый проект..."}, {"miOpenPro", "&Открыть проект..."},
             {"miReopen", "О&ткрыть снова"}, {nullptr, nullptr}, {"miSavePro", "&Сохранить проект"},
             {"miSaveProAs", "Сохранить проект &как..."}, {"miClosePro", "Зак&рыть проект"}, {nullptr, nullptr},
             {"miExit", "В&ыход"}});
    addMenu("miProject", "&Проект",
            {{"miAddFile", "&Добавить файл в проект..."}, {"miRemoveFile", "&Убрать файл из проекта"},
             {"miFileUp", "&Повысить приоритет файла"}, {"miFileDown", "По&низить приоритет файла"},
             {"miSetMain", "Назначить &главный файл"}, {nullptr, nullptr}, {"miClear", "&Очистить проект"}});
    addMenu("miSettings", "Н&астройка",
            {{"miAddPath", "&Добавить каталог с модулями..."}, {"miRemovePath", "&Убрать каталог с модулями"},
             {"miPathUp", "П&овысить приоритет каталога"}, {"miPathDown", "П&онизить приоритет каталога"},
             {nullptr, nullptr}, {"miConfTools", "Инструментальные средства..."}});
    addMenu("miRun", "&Запуск",
            {{"miCompile", "&Компиляция выделенного файла"}, {"miCompileAll", "К&омпиляция проекта"},
             {"miMake", "&Сборка исполняемого файла"}, {"miRunExec", "Запуск &исполняемого файла"},
             {"miStop", "Ос&тановить"}});
    addMenu("miInfo", "&?", {{"miVersionInfo", "Системная информация"}, {nullptr, nullptr}, {"miAbout", "&О программе"}});
}

void TfrVydesk::CreateToolBar()
{
    tbToolBar = addToolBar(QStringLiteral("tbToolBar"));
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setIconSize(QSize(BitmapSize, BitmapSize));
    for (const SToolButton& b : ToolButtons) {
        if (!b.name) {
            tbToolBar->addSeparator();
            continue;
        }
        QAction* a = findChild<QAction*>(QLatin1String(b.name), Qt::FindDirectChildrenOnly);
        tbToolBar->addAction(a);
        QWidget* button = tbToolBar->widgetForAction(a);
        button->setObjectName(QLatin1String(b.name));
        button->setToolTipDuration(HintPause);
    }
}

// pnAll: on the left the file list above the settings pages, on the right the work area: the
// log and the program's output pane on tabs, below the place an editor takes (splWork).
void TfrVydesk::CreateControls()
{
    QWidget* pnAll = Panel("pnAll", this);
    setCentralWidget(pnAll);
    auto* allLayout = new QVBoxLayout(pnAll);
    allLayout->setContentsMargins(0, 0, 0, 0);
    splMain = new QSplitter(Qt::Horizontal, pnAll);
    splMain->setObjectName(QStringLiteral("splMain"));
    splMain->setChildrenCollapsible(false);
    allLayout->addWidget(splMain);

    auto* splProject = new QSplitter(Qt::Vertical, splMain);
    splProject->setObjectName(QStringLiteral("splProject"));
    splProject->setChildrenCollapsible(false);
    splProject->addWidget(CreateFilesPanel(splProject));
    splProject->addWidget(CreateSettingsPages(splProject));
    splProject->setStretchFactor(0, 1);
    splProject->setStretchFactor(1, 0);

    splWork = new QSplitter(Qt::Vertical, splMain);
    splWork->setObjectName(QStringLiteral("splWork"));
    splWork->setChildrenCollapsible(false);
    CreateEditorArea(splWork);
    splWork->addWidget(CreateOutputPages(splWork));
    splWork->setStretchFactor(0, 1);
    splWork->setStretchFactor(1, 0);
    splWork->setSizes({FormHeight - OutputHeight, OutputHeight});

    splMain->addWidget(splProject);
    splMain->addWidget(splWork);
    splMain->setStretchFactor(0, 0);
    splMain->setStretchFactor(1, 1);
}

QWidget* TfrVydesk::CreateOutputPages(QWidget* parent)
{
    pgcOutput = new QTabWidget(parent);
    pgcOutput->setObjectName(QStringLiteral("pgcOutput"));
    pgcOutput->setMinimumHeight(SplitterMinimum);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    QWidget* pnLog = Panel("pnLog", pgcOutput);
    auto* logLayout = new QVBoxLayout(pnLog);
    logLayout->setContentsMargins(0, 0, 0, 0);
    lbxLog = new QListWidget(pnLog);
    lbxLog->setObjectName(QStringLiteral("lbxLog"));
    lbxLog->setFont(fixed);
    lbxLog->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lbxLog->setTextElideMode(Qt::ElideNone);
    lbxLog->setWordWrap(false);
    lbxLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lbxLog->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lbxLog->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("Копировать\tCtrl+C"), lbxLog);
    copy->setObjectName(QStringLiteral("miCopyLog"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &TfrVydesk::CopyLog);
    auto* selectAll = new QAction(QStringLiteral("Выделить всё\tCtrl+A"), lbxLog);
    selectAll->setObjectName(QStringLiteral("miSelectAllLog"));
    connect(selectAll, &QAction::triggered, lbxLog, &QListWidget::selectAll);
    lbxLog->addAction(copy);
    lbxLog->addAction(selectAll);
    logLayout->addWidget(lbxLog);
    pgcOutput->addTab(pnLog, QStringLiteral("Сообщения"));

    tshRun = Panel("tshRun", pgcOutput);
    auto* runLayout = new QVBoxLayout(tshRun);
    runLayout->setContentsMargins(2, 2, 2, 2);
    memOutput = new QPlainTextEdit(tshRun);
    memOutput->setObjectName(QStringLiteral("memOutput"));
    memOutput->setReadOnly(true);
    memOutput->setFont(fixed);
    memOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    memOutput->setMaximumBlockCount(MaxOutputLines);
    auto* inputRow = new QHBoxLayout;
    auto* lbInput = new QLabel(QStringLiteral("&Ввод:"), tshRun);
    lbInput->setObjectName(QStringLiteral("lbInput"));
    edInput = new QLineEdit(tshRun);
    edInput->setObjectName(QStringLiteral("edInput"));
    edInput->setFont(fixed);
    edInput->setEnabled(false);
    lbInput->setBuddy(edInput);
    auto* lbArgs = new QLabel(QStringLiteral("&Аргументы:"), tshRun);
    lbArgs->setObjectName(QStringLiteral("lbArgs"));
    edArgs = new QLineEdit(tshRun);
    edArgs->setObjectName(QStringLiteral("edArgs"));
    edArgs->setFont(fixed);
    edArgs->setToolTip(QStringLiteral("Аргументы командной строки программы (через пробел, \"...\" для пробелов внутри)"));
    lbArgs->setBuddy(edArgs);
    inputRow->addWidget(lbInput);
    inputRow->addWidget(edInput, 2);
    inputRow->addWidget(lbArgs);
    inputRow->addWidget(edArgs, 1);
    runLayout->addWidget(memOutput);
    runLayout->addLayout(inputRow);
    pgcOutput->addTab(tshRun, QStringLiteral("Вывод программы"));
    return pgcOutput;
}

QWidget* TfrVydesk::CreateFilesPanel(QWidget* parent)
{
    QWidget* pnFiles = Panel("pnFiles", parent);
    pnFiles->setMinimumWidth(SplitterMinimum);
    auto* filesLayout = new QVBoxLayout(pnFiles);
    filesLayout->setContentsMargins(2, 2, 2, 2);
    auto* lbFiles = new QLabel(QStringLiteral("Фа&йлы проекта:"), pnFiles);
    lbFiles->setObjectName(QStringLiteral("lbFiles"));
    lbxFiles = new QListWidget(pnFiles);
    lbxFiles->setObjectName(QStringLiteral("lbxFiles"));
    lbxFiles->setUniformItemSizes(true);
    lbxFiles->setItemDelegate(new CFileItemDelegate(mainFileBitmap, project.mainFile, lbxFiles));
    lbFiles->setBuddy(lbxFiles);
    filesLayout->addWidget(lbFiles);
    filesLayout->addWidget(lbxFiles);
    return pnFiles;
}

QWidget* TfrVydesk::CreateSettingsPages(QWidget* parent)
{
    pgcSettings = new QTabWidget(parent);
    pgcSettings->setObjectName(QStringLiteral("pgcSettings"));
    QWidget* tshSettings = Panel("tshSettings", pgcSettings);
    auto* settingsLayout = new QVBoxLayout(tshSettings);
    auto* lbExecFile = new QLabel(QStringLiteral("&Имя исполняемого файла:"), tshSettings);
    lbExecFile->setObjectName(QStringLiteral("lbExecFile"));
    edExecFile = new QLineEdit(tshSettings);
    edExecFile->setObjectName(QStringLiteral("edExecFile"));
    lbExecFile->setBuddy(edExecFile);
    auto* lbTarget = new QLabel(QStringLiteral("&Целевая платформа:"), tshSettings);
    lbTarget->setObjectName(QStringLiteral("lbTarget"));
    cbxTarget = new QComboBox(tshSettings);
    cbxTarget->setObjectName(QStringLiteral("cbxTarget"));
    for (const char* t : Targets) cbxTarget->addItem(Q(t));
    // The long names of the Windows targets need not widen the pane (the hint and the open
    // list show them whole); the box is wide enough for the targets that build here.
    cbxTarget->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbxTarget->setMinimumContentsLength(1);
    int widest = 0;
    for (int t = TargetGppConsole; t < TargetCount; ++t)
        widest = qMax(widest, cbxTarget->fontMetrics().horizontalAdvance(Q(Targets[t])));
    QStyleOptionComboBox box;
    box.initFrom(cbxTarget);
    cbxTarget->setMinimumWidth(
        style()->sizeFromContents(QStyle::CT_ComboBox, &box, QSize(widest, cbxTarget->fontMetrics().height()), cbxTarget).width());
    lbTarget->setBuddy(cbxTarget);
    cbChecks = new QCheckBox(Q(ChecksCaption), tshSettings);
    cbChecks->setObjectName(QStringLiteral("cbChecks"));
    cbChecks->setToolTip(Q(ChecksHint));
    cbConfirmClear = new QCheckBox(QStringLiteral("Подтверждение очистки рабочих файлов"), tshSettings);
    cbConfirmClear->setObjectName(QStringLiteral("cbConfirmClear"));
    cbUsePause = new QCheckBox(QStringLiteral("Ждать Enter после программы (терминал)"), tshSettings);
    cbUsePause->setObjectName(QStringLiteral("cbUsePause"));
    cbRunInside = new QCheckBox(QStringLiteral("Запускать программу в окне Vydesk"), tshSettings);
    cbRunInside->setObjectName(QStringLiteral("cbRunInside"));
    cbAlwaysSave = new QCheckBox(Q(AlwaysSave), tshSettings);
    cbAlwaysSave->setObjectName(QStringLiteral("cbAlwaysSave"));
    for (QWidget* w : std::initializer_list<QWidget*>{lbExecFile, edExecFile, lbTarget, cbxTarget, cbChecks, cbConfirmClear, cbUsePause, cbRunInside, cbAlwaysSave})
        settingsLayout->addWidget(w);
    settingsLayout->addStretch();
    pgcSettings->addTab(tshSettings, QStringLiteral("Настройки"));
    pgcSettings->addTab(CreateImportPage(pgcSettings), QStringLiteral("Каталоги с модулями"));
    return pgcSettings;
}

QWidget* TfrVydesk::CreateImportPage(QWidget* parent)
{
    tshDfn = Panel("tshDfn", parent);
    auto* dfnLayout = new QVBoxLayout(tshDfn);
    dfnLayout->setContentsMargins(2, 2, 2, 2);
    tbImport = new QToolBar(tshDfn);
    tbImport->setObjectName(QStringLiteral("tbImport"));
    tbImport->setIconSize(QSize(BitmapSize, BitmapSize));
    tbImport->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const SToolButton& b : ImportButtons) {
        QAction* a = findChild<QAction*>(QLatin1String(b.name), Qt::FindDirectChildrenOnly);
        tbImport->addAction(a);
        QWidget* button = tbImport->widgetForAction(a);
        button->setObjectName(QLatin1String(b.name));
        button->setToolTipDuration(HintPause);
        if (qstrcmp(b.name, "tbAddPath") != 0)
            static_cast<QToolButton*>(button)->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    lbxPaths = new QListWidget(tshDfn);
    lbxPaths->setObjectName(QStringLiteral("lbxPaths"));
    lbxPaths->setToolTipDuration(HintPause);
    dfnLayout->addWidget(tbImport);
    dfnLayout->addWidget(lbxPaths);
    return tshDfn;
}

void TfrVydesk::Bind(const char* menuItem, const char* toolButton, void (TfrVydesk::*handler)())
{
    for (const char* name : {menuItem, toolButton}) {
        if (!name) continue;
        QAction* a = findChild<QAction*>(QLatin1String(name));
        connect(a, &QAction::triggered, this, handler);
    }
}

void TfrVydesk::ConnectCommands()
{
    Bind("miCreatePro", "tbCreatePro", &TfrVydesk::miCreateProClick);
    Bind("miOpenPro", "tbOpenPro", &TfrVydesk::miOpenProClick);
    Bind("miSavePro", "tbSavePro", &TfrVydesk::miSaveProClick);
    Bind("miSaveProAs", nullptr, &TfrVydesk::miSaveProAsClick);
    Bind("miClosePro", nullptr, &TfrVydesk::miCloseProClick);
    Bind("miExit", "tbExit", &TfrVydesk::miExitClick);
    Bind("miAddFile", "tbAddFile", &TfrVydesk::miAddFileClick);
    Bind("miRemoveFile", "tbRemoveFile", &TfrVydesk::miRemoveFileClick);
    Bind("miFileUp", "tbFileUp", &TfrVydesk::miFileUpClick);
    Bind("miFileDown", "tbFileDown", &TfrVydesk::miFileDownClick);
    Bind("miSetMain", "tbSetMain", &TfrVydesk::miSetMainClick);
    Bind("miClear", "tbClear", &TfrVydesk::miClearClick);
    Bind("miAddPath", "tbAddPath", &TfrVydesk::miAddPathClick);
    Bind("miRemovePath", "tbRemovePath", &TfrVydesk::miRemovePathClick);
    Bind("miPathUp", "tbPathUp", &TfrVydesk::miPathUpClick);
    Bind("miPathDown", "tbPathDown", &TfrVydesk::miPathDownClick);
    Bind("miConfTools", nullptr, &TfrVydesk::miConfToolsClick);
    Bind("miCompile", "tbCompile", &TfrVydesk::miCompileClick);
    Bind("miCompileAll", "tbCompileAll", &TfrVydesk::miCompileAllClick);
    Bind("miMake", "tbMake", &TfrVydesk::miMakeClick);
    Bind("miRunExec", "tbRunExec", &TfrVydesk::miRunExecClick);
    Bind("miStop", "tbStop", &TfrVydesk::miStopClick);
    Bind("miVersionInfo", nullptr, &TfrVydesk::miVersionInfoClick);
    Bind("miAbout", nullptr, &TfrVydesk::miAboutClick);

    connect(&project, &CDeskProject::Log, this, &TfrVydesk::AddLog);
    connect(&project, &CDeskProject::LogCleared, this, &TfrVydesk::ClearLog);
    connect(&project, &CDeskProject::TitleChanged, this, &TfrVydesk::ShowTitle);
    connect(&project, &CDeskProject::ProjectChanged, this, &TfrVydesk::ShowProject);
    connect(&project, &CDeskProject::PathsChanged, this, &TfrVydesk::ShowPaths);
    connect(&project, &CDeskProject::RecentChanged, this, &TfrVydesk::ShowRecent);
    connect(pipeline, &CToolPipeline::CommandsEnabled, this, &TfrVydesk::SetCommandsEnabled);
    connect(edExecFile, &QLineEdit::textEdited, &project, &CDeskProject::SetExecName);
    connect(cbxTarget, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        cbxTarget->setToolTip(cbxTarget->itemText(index));
        project.SetTarget(index);
    });
    connect(cbChecks, &QCheckBox::clicked, &project, &CDeskProject::SetChecks);
    connect(cbConfirmClear, &QCheckBox::toggled, this, [this](bool on) { project.settings.confirmClear = on; });
    connect(cbUsePause, &QCheckBox::toggled, this, [this](bool on) { project.settings.usePause = on; });
    connect(cbRunInside, &QCheckBox::toggled, this, [this](bool on) { project.settings.runInside = on; });
    connect(pipeline, &CToolPipeline::ProgramStarting, this, [this] {
        memOutput->clear();
        pgcOutput->setCurrentWidget(tshRun);
        edInput->setEnabled(true);
        edInput->setFocus();
    });
    connect(pipeline, &CToolPipeline::ProgramOutput, this, &TfrVydesk::AddOutput);
    connect(pipeline, &CToolPipeline::ProgramEnded, this, [this](const QString& text) {
        edInput->setEnabled(false);
        AddOutput(QLatin1Char('\n') + text + QLatin1Char('\n'));
    });
    connect(edInput, &QLineEdit::returnPressed, this, [this] {
        AddOutput(edInput->text() + QLatin1Char('\n'));
        pipeline->ProgramInput(edInput->text());
        edInput->clear();
    });
    connect(lbxLog, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { lbxLog->setToolTip(it->text()); });
    connect(lbxPaths, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { lbxPaths->setToolTip(it->text()); });
    ConnectEditor();
}

void TfrVydesk::Start(const QString& settingsFile, const QStringList& arguments)
{
    settingsPath = settingsFile;
    project.settings.LoadSettings(settingsPath);
    if (!project.settings.geometry.isEmpty())
        restoreGeometry(QByteArray::fromBase64(project.settings.geometry.toLatin1()));
    ShowPaths();
    ShowRecent();
    // The recent list must name the project from any folder, so a relative argument is made absolute.
    if (!arguments.isEmpty()) commands.OpenProjectOrSource(QFileInfo(arguments.front()).absoluteFilePath());
}

// Views --------------------------------------------------------------------------------------

void TfrVydesk::ShowProject()
{
    const int row = lbxFiles->currentRow();
    lbxFiles->clear();
    lbxFiles->addItems(project.files);
    if (row >= 0 && row < lbxFiles->count()) lbxFiles->setCurrentRow(row);
    lbxFiles->viewport()->update();
    if (edExecFile->text() != project.execName) edExecFile->setText(project.execName);
    cbxTarget->setCurrentIndex(project.target);
    cbxTarget->setToolTip(cbxTarget->itemText(project.target));
    cbChecks->setChecked(project.checks);
}

void TfrVydesk::ShowPaths()
{
    const int row = lbxPaths->currentRow();
    lbxPaths->clear();
    lbxPaths->addItems(project.settings.importFolders);
    if (row >= 0 && row < lbxPaths->count()) lbxPaths->setCurrentRow(row);
    cbConfirmClear->setChecked(project.settings.confirmClear);
    cbUsePause->setChecked(project.settings.usePause);
    cbRunInside->setChecked(project.settings.runInside);
    cbAlwaysSave->setChecked(project.settings.alwaysSave);
}

void TfrVydesk::ShowRecent()
{
    const QStringList& recent = project.settings.recent;
    for (int i = 0; i < MaxRecentProjects; ++i) {
        QAction* a = miReopenSub[i];
        if (i < recent.size()) {
            a->setText(recent.at(i));
            a->setEnabled(true);
            a->setVisible(true);
        } else if (i == 0) {
            a->setText(Q(NoProjects));
            a->setEnabled(false);
            a->setVisible(true);
        } else {
            a->setVisible(false);
        }
    }
}

void TfrVydesk::ShowTitle(const QString& title, bool modified)
{
    setWindowTitle(title);
    for (const char* name : {"miSavePro", "tbSavePro"}) findChild<QAction*>(QLatin1String(name))->setEnabled(modified);
}

int TfrVydesk::FileRow() const
{
    return lbxFiles->currentItem() && lbxFiles->currentItem()->isSelected() ? lbxFiles->currentRow() : -1;
}

int TfrVydesk::PathRow() const
{
    return lbxPaths->currentItem() && lbxPaths->currentItem()->isSelected() ? lbxPaths->currentRow() : -1;
}

void TfrVydesk::AddLog(const QString& text)
{
    lbxLog->addItem(text);
    if (lbxLog->count() > MaxLogLines) delete lbxLog->takeItem(0);
    // The new line alone is selected; the list would otherwise add it to the selection.
    lbxLog->setCurrentRow(lbxLog->count() - 1, QItemSelectionModel::ClearAndSelect);
    lbxLog->scrollToBottom();
}

void TfrVydesk::AddOutput(const QString& text)
{
    memOutput->moveCursor(QTextCursor::End);
    memOutput->insertPlainText(text);
    memOutput->moveCursor(QTextCursor::End);
}

void TfrVydesk::CopyLog()
{
    QStringList lines;
    for (int i = 0; i < lbxLog->count(); ++i)
        if (lbxLog->item(i)->isSelected()) lines << lbxLog->item(i)->text();
    if (lines.isEmpty() && lbxLog->currentItem()) lines << lbxLog->currentItem()->text();
    QGuiApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void TfrVydesk::ClearLog()
{
    lbxLog->clear();
    lbxLog->setToolTip(QString());
}

// While a tool or the program runs, nothing may start another tool, change the project or open
// another one; only Stop is offered.
void TfrVydesk::SetCommandsEnabled(bool enabled)
{
    for (const char* name : {"tbCreatePro", "tbOpenPro", "tbAddFile", "tbRemoveFile", "tbFileUp", "tbFileDown", "tbSetMain",
                             "tbClear", "tbCompile", "tbCompileAll", "tbMake", "tbRunExec", "tbAddPath", "tbRemovePath",
                             "tbPathUp", "tbPathDown", "miCreatePro", "miOpenPro", "miSaveProAs", "miClosePro", "miAddFile",
                             "miRemoveFile", "miFileUp", "miFileDown", "miSetMain", "miClear", "miAddPath", "miRemovePath",
                             "miPathUp", "miPathDown", "miConfTools", "miCompile", "miCompileAll", "miMake", "miRunExec",
                             "miVersionInfo"})
        findChild<QAction*>(QLatin1String(name))->setEnabled(enabled);
    miReopen->setEnabled(enabled);
    edExecFile->setEnabled(enabled);
    cbxTarget->setEnabled(enabled);
    cbChecks->setEnabled(enabled);
    for (const char* name : {"tbStop", "miStop"}) findChild<QAction*>(QLatin1String(name))->setEnabled(!enabled);
}

// Commands -----------------------------------------------------------------------------------

void TfrVydesk::miCreateProClick() { commands.NewProject(); }
void TfrVydesk::miOpenProClick() { commands.OpenProject(); }
void TfrVydesk::miSaveProClick() { commands.SaveProject(); }
void TfrVydesk::miSaveProAsClick() { commands.SaveProjectAs(); }
void TfrVydesk::miCloseProClick() { commands.CloseProject(); }
void TfrVydesk::miExitClick() { close(); }
void TfrVydesk::miAddFileClick() { commands.AddFiles(); }
void TfrVydesk::miRemoveFileClick() { lbxFiles->setCurrentRow(commands.RemoveFile(FileRow())); }
void TfrVydesk::miFileUpClick() { lbxFiles->setCurrentRow(commands.FileUp(FileRow())); }
void TfrVydesk::miFileDownClick() { lbxFiles->setCurrentRow(commands.FileDown(FileRow())); }
void TfrVydesk::miSetMainClick() { commands.SetMainFile(FileRow()); }
void TfrVydesk::miClearClick() { commands.ClearProject(); }
void TfrVydesk::miAddPathClick() { commands.AddPath(); }
void TfrVydesk::miRemovePathClick()
{
    lbxPaths->setCurrentRow(commands.RemovePath(PathRow(), pgcSettings->currentWidget() == tshDfn));
}
void TfrVydesk::miPathUpClick() { lbxPaths->setCurrentRow(commands.PathUp(PathRow())); }
void TfrVydesk::miPathDownClick() { lbxPaths->setCurrentRow(commands.PathDown(PathRow())); }
void TfrVydesk::miConfToolsClick() { frConfTools->exec(); }
void TfrVydesk::miCompileClick()
{
    if (SaveSourcesFirst()) pipeline->CompileFile(FileRow());
}
void TfrVydesk::miCompileAllClick()
{
    if (SaveSourcesFirst()) pipeline->CompileProject();
}
void TfrVydesk::miMakeClick()
{
    if (SaveSourcesFirst()) pipeline->BuildExecutable();
}
void TfrVydesk::miRunExecClick()
{
    if (SaveSourcesFirst()) pipeline->RunExecutable(edArgs->text());
}
void TfrVydesk::miStopClick() { pipeline->Stop(); }
void TfrVydesk::miVersionInfoClick() { pipeline->VersionInfo(); }
void TfrVydesk::miAboutClick() { frAbout->exec(); }
void TfrVydesk::miReopenSubClick(int index) { commands.ReopenProject(index); }

// Keys and window events ---------------------------------------------------------------------

// Every menu command has a key; the window handles them itself, so the keys work from any
// control and whatever the keyboard layout. A disabled command ignores its key.
bool TfrVydesk::FormKeyDown(QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if ((key->modifiers() & Qt::KeypadModifier) && (key->key() == Qt::Key_Equal || key->key() == Qt::Key_Minus)) return false;
    if (OpenMenuByKey(key->key(), mods)) return true;
    const QKeySequence pressed(QKeyCombination(mods, Qt::Key(key->key())));
    for (const SShortcut& s : Shortcuts) {
        if (QKeySequence(QLatin1String(s.keys)) != pressed) continue;
        if (qstrcmp(s.action, "miStop") == 0 && !pipeline->IsBusy()) return false;
        QAction* a = findChild<QAction*>(QLatin1String(s.action));
        // Save is greyed while nothing changed, yet its key saves all the same.
        const bool save = qstrcmp(s.action, "miSavePro") == 0 && !pipeline->IsBusy();
        if (a->isEnabled()) a->trigger();
        else if (save) miSaveProClick();
        return true;
    }
    return false;
}

// Alt and the key of a menu's underlined letter opens the menu under a Latin layout too (the
// keys of Ф, П, А, З and ?), and F10 opens the first menu.
bool TfrVydesk::OpenMenuByKey(int key, Qt::KeyboardModifiers mods)
{
    static const struct {
        int key;
        const char* menu;
    } MenuKeys[] = {{Qt::Key_A, "miFile"}, {Qt::Key_G, "miProject"}, {Qt::Key_F, "miSettings"},
                    {Qt::Key_P, "miRun"},  {Qt::Key_Question, "miInfo"}, {Qt::Key_Slash, "miInfo"}};
    const char* menu = nullptr;
    if (key == Qt::Key_F10 && mods == Qt::NoModifier) menu = "miFile";
    for (const auto& m : MenuKeys)
        if (m.key == key && (mods & ~Qt::ShiftModifier) == Qt::AltModifier) menu = m.menu;
    if (!menu) return false;
    auto* m = findChild<QMenu*>(QLatin1String(menu));
    menuBar()->setActiveAction(m->menuAction());
    return true;
}

bool TfrVydesk::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && QApplication::activeModalWidget() == nullptr) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The list itself would copy only its current line.
        if (watched == lbxLog && key->matches(QKeySequence::Copy)) {
            CopyLog();
            return true;
        }
        const EKeyRoute route = EditorKeyDown(watched, key);
        if (route != EKeyRoute::ToForm) return route == EKeyRoute::Handled;
        return FormKeyDown(key);
    }
    return QMainWindow::eventFilter(watched, event);
}

// A running tool or program is stopped only after the user agrees; the window's place and size
// go into the settings.
void TfrVydesk::closeEvent(QCloseEvent* event)
{
    if (pipeline->IsBusy() && Question(Q(StopQuestion), EButtons::YesCancel) != EAnswer::Yes) {
        event->ignore();
        return;
    }
    if (!editors->QuerySaveAll() || !commands.QueryClose()) {
        event->ignore();
        return;
    }
    pipeline->Shutdown();
    project.settings.geometry = QString::fromLatin1(saveGeometry().toBase64());
    if (!settingsPath.isEmpty()) project.settings.SaveSettings(settingsPath);
    event->accept();
}

void TfrVydesk::RestoreFromMinimized()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

// IDeskPrompts ---------------------------------------------------------------------------------

IDeskPrompts::EAnswer TfrVydesk::Question(const QString& text, EButtons buttons)
{
    return DeskDialogs::Question(this, text, buttons);
}
void TfrVydesk::Information(const QString& text) { DeskDialogs::Message(this, DeskDialogs::EKind::Information, text); }
void TfrVydesk::Warning(const QString& text) { DeskDialogs::Message(this, DeskDialogs::EKind::Warning, text); }
void TfrVydesk::Error(const QString& text) { DeskDialogs::Message(this, DeskDialogs::EKind::Error, text); }

QString TfrVydesk::SaveProjectFile(const QString& suggestedPath)
{
    return DeskDialogs::SaveFile(this, FilterSavePro, suggestedPath, QStringLiteral("pro"));
}
QString TfrVydesk::OpenProjectFile() { return DeskDialogs::OpenFile(this, FilterOpenPro); }
QStringList TfrVydesk::OpenSourceFiles() { return DeskDialogs::OpenFiles(this, FilterFiles); }
QString TfrVydesk::OpenPathFile() { return DeskDialogs::OpenFolder(this); }
void TfrVydesk::BringToFront()
{
    raise();
    activateWindow();
}
void TfrVydesk::ShowImportPage() { pgcSettings->setCurrentWidget(tshDfn); }
void TfrVydesk::SetBusy(bool busy)
{
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}
