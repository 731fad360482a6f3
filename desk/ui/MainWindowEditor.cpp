// The main window's side of the editor: the editor area between the file list and the log,
// files opened from the list, log lines tagged with the places they point to and opened from
// there, F4 and Shift+F4 over the places of the last run, the keys of the editor, and the
// save before a compile or build.
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QSplitter>

#include "Editor.h"
#include "MainWindow.h"
#include "Texts.h"

using namespace DeskText;

namespace {

constexpr int PlaceRole = Qt::UserRole + 1;

int TabSizeOf(const CToolSettings& settings)
{
    return NormalizeTabSize(settings.tabSize).toInt();
}

}  // namespace

void TfrVydesk::CreateEditorArea(QSplitter* parent)
{
    editors = new CEditorArea(*this, parent);
    parent->addWidget(editors);
}

void TfrVydesk::ConnectEditor()
{
    connect(lbxFiles, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) { OpenListedFile(lbxFiles->row(it)); });
    connect(lbxLog, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) {
        bool ok = false;
        const int index = it->data(PlaceRole).toInt(&ok);
        if (ok && ShowLogPlace(index)) currentPlace = index;
    });
    connect(pipeline, &CToolPipeline::LineLocated, this, &TfrVydesk::TagLogLine);
    connect(&project, &CDeskProject::LogCleared, this, [this] {
        editors->ClearMarks();
        currentPlace = -1;
    });
    connect(cbAlwaysSave, &QCheckBox::toggled, this, [this](bool on) { project.settings.alwaysSave = on; });
}

void TfrVydesk::OpenListedFile(int row)
{
    if (row < 0 || row >= project.files.size()) return;
    editors->SetTabSize(TabSizeOf(project.settings));
    if (CSourceEditor* editor = editors->Open(QDir(project.projectFolder).absoluteFilePath(project.files.at(row))))
        editor->setFocus();
}

// The log shows a compiler line with the name of the file it belongs to, and keeps the place's
// index with the line for a double-click or Enter.
void TfrVydesk::TagLogLine(int index)
{
    QListWidgetItem* item = lbxLog->item(lbxLog->count() - 1);
    if (!item) return;
    const SLogLocation& place = pipeline->locations.At(index);
    item->setData(PlaceRole, index);
    if (place.columns == SLogLocation::CompilerColumns) item->setText(place.shown + QStringLiteral(": ") + item->text());
    item->setForeground(place.kind == SLogLocation::Error ? QColor(170, 0, 0) : QColor(140, 90, 0));
}

bool TfrVydesk::ShowLogPlace(int index)
{
    if (index < 0 || index >= pipeline->locations.Count()) return false;
    editors->SetTabSize(TabSizeOf(project.settings));
    if (!editors->ShowPlace(pipeline->locations.At(index))) return false;
    for (int row = lbxLog->count() - 1; row >= 0; --row) {
        QListWidgetItem* item = lbxLog->item(row);
        if (item->data(PlaceRole).isValid() && item->data(PlaceRole).toInt() == index) {
            lbxLog->setCurrentItem(item);
            lbxLog->scrollToItem(item);
            break;
        }
    }
    return true;
}

// F4 after the last place starts again at the first; Shift+F4 before the first goes to the last.
void TfrVydesk::StepPlace(int direction)
{
    const int count = pipeline->locations.Count();
    if (count == 0) return;
    int next = currentPlace < 0 ? (direction > 0 ? 0 : count - 1) : (currentPlace + direction + count) % count;
    for (int tried = 0; tried < count; ++tried, next = (next + direction + count) % count) {
        if (ShowLogPlace(next)) {
            currentPlace = next;
            return;
        }
    }
}

bool TfrVydesk::SaveSourcesFirst()
{
    if (!editors->HasModified()) return true;
    if (project.settings.alwaysSave) return editors->SaveAll();
    switch (Question(Q(SaveSourcesQuestion), EButtons::YesNoCancel)) {
    case EAnswer::Yes: return editors->SaveAll();
    case EAnswer::No: return true;
    default: return false;
    }
}

// In the editor area Ctrl+S saves the file shown, and the project's Ctrl keys that an editor
// uses itself (Ctrl+D, Ctrl+U, Ctrl+M, Ctrl+= and Ctrl+-) stay with the editor.
TfrVydesk::EKeyRoute TfrVydesk::EditorKeyDown(QObject* watched, QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
    if (key->key() == Qt::Key_F4 && (mods == Qt::NoModifier || mods == Qt::ShiftModifier)) {
        StepPlace(mods == Qt::ShiftModifier ? -1 : 1);
        return EKeyRoute::Handled;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !editors->isAncestorOf(widget)) return EKeyRoute::ToForm;
    if (mods == Qt::ControlModifier) {
        switch (key->key()) {
        case Qt::Key_S:
            editors->SaveCurrent();
            return EKeyRoute::Handled;
        case Qt::Key_D:
        case Qt::Key_U:
        case Qt::Key_M:
        case Qt::Key_Equal:
        case Qt::Key_Minus: return EKeyRoute::ToWidget;
        default: break;
        }
    }
    return editors->HandleKey(key) ? EKeyRoute::Handled : EKeyRoute::ToForm;
}
