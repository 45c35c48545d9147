#include "tasks/taskEditor.h"

#include "app/programInfo.h"
#include "shell/prompter.h"
#include "tasks/commandLine.h"
#include "tasks/mediaInfo.h"
#include "tasks/taskListModel.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

bool IsListedType(const QString& path, const QStringList& types) {
    return types.contains(LowerAscii(ExtensionOf(path)));
}

QStringList ListVideoFiles(const QString& folder) {
    const QStringList patterns = InputMask().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    // Without QDir::Hidden and QDir::System, hidden files and device nodes are left out.
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

TaskEditor::TaskEditor(TaskListModel& model, Prompter& prompter, QString errorCaption,
                       QObject* parent)
    : QObject(parent), m_model(model), m_prompter(prompter),
      m_errorCaption(std::move(errorCaption)) {}

bool TaskEditor::AddTaskFile(const QString& path) {
    emit addingFile();
    for (int row = 0; row < m_model.count(); ++row) {
        ltvItemData listed;
        m_model.ReadTaskItem(row, TaskField::Caption, listed);
        if (listed.InputFile == path) {
            if (!m_prompter.question(QStringLiteral("Already Listed"),
                                     QStringLiteral("This file has been added to the Task List "
                                                    "already. Are you sure to add it again?")))
                return false;
            break;
        }
    }
    const MediaInfoResult media = ReadMediaInfo(path);
    if (!media.ok) {
        // A row without a play time would break the join later on; the user
        // learns which file was left out and why, and the command goes on.
        m_prompter.error(m_errorCaption,
                         QStringLiteral("Cannot add \"%1\": %2.").arg(path, media.error));
        return false;
    }
    ltvItemData item;
    item.InputFile = path;
    item.LengthText = media.lengthText;
    item.SizeText = media.sizeText;
    item.StatusText = QStringLiteral("OK");
    const QString name = FileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    item.TitleText = dot < 0 ? name : name.left(dot);
    m_model.WriteTaskItem(m_model.appendEmptyRow(), TaskField::All, item);
    return true;
}

void TaskEditor::AddTaskFolder(const QString& folder) {
    const QString prefix = AddBackslash(folder);
    const bool wasBusy = busy();
    for (const QString& name : ListVideoFiles(folder))
        m_pending.append(prefix + name);
    if (!wasBusy && busy()) {
        emit busyChanged(true);
        scheduleStep();
    }
}

void TaskEditor::offerFile(const QString& path) {
    if (busy())
        m_pending.append(path); // behind the folder that is being walked
    else
        AddTaskFile(path);
}

void TaskEditor::finishAdding() {
    if (busy()) {
        m_finishWhenDone = true;
        return;
    }
    if (m_model.count() > 0)
        setListButtonsEnabled(true);
}

void TaskEditor::scheduleStep() {
    if (m_stepScheduled)
        return;
    m_stepScheduled = true;
    QTimer::singleShot(0, this, &TaskEditor::step);
}

void TaskEditor::step() {
    // The next step is scheduled only after this file is done, so a question
    // box open during this file never lets another file of the walk start.
    m_stepScheduled = false;
    if (m_pending.isEmpty())
        return;
    AddTaskFile(m_pending.takeFirst());
    emit walkStepDone();
    if (!m_pending.isEmpty()) {
        scheduleStep();
        return;
    }
    emit busyChanged(false);
    if (m_finishWhenDone) {
        m_finishWhenDone = false;
        finishAdding();
    }
}

void TaskEditor::AddFiles(const QStringList& chosen) {
    // The dialog hands back the file the user picked last first, so it goes last.
    for (qsizetype i = 1; i < chosen.size(); ++i)
        offerFile(chosen[i]);
    if (!chosen.isEmpty())
        offerFile(chosen.first());
    finishAdding();
}

void TaskEditor::AddFolder(const QString& folder) {
    if (!folder.isEmpty())
        AddTaskFolder(folder);
    finishAdding();
}

void TaskEditor::AddDropped(const QStringList& paths) {
    emit addingFile();
    for (const QString& path : paths) {
        if (QFileInfo(path).isDir())
            AddTaskFolder(path);
        else if (IsListedType(path, InputTypes()))
            offerFile(path);
    }
    finishAdding();
}

void TaskEditor::AddCommandLine(const QStringList& arguments) {
    const CommandLineEntries line = ReadCommandLine(arguments);
    if (line.failed) {
        m_prompter.error(m_errorCaption, line.error);
        return;
    }
    for (const QString& entry : line.entries) {
        const QFileInfo info(entry);
        if (entry.isEmpty() || !info.exists())
            continue;
        // A path relative to where the program was started is listed in full,
        // so the entry still names its file whatever the working folder is later.
        const QString path = info.isRelative() ? QDir::cleanPath(info.absoluteFilePath()) : entry;
        if (info.isDir())
            AddTaskFolder(path);
        else if (IsListedType(path, InputTypes()))
            offerFile(path);
    }
    finishAdding();
}

void TaskEditor::swapRows(int a, int b) {
    ltvItemData first;
    ltvItemData second;
    m_model.ReadTaskItem(a, TaskField::All, first);
    m_model.ReadTaskItem(b, TaskField::All, second);
    m_model.WriteTaskItem(a, TaskField::All, second);
    m_model.WriteTaskItem(b, TaskField::All, first);
}

QList<bool> TaskEditor::MoveUp(QList<bool> selected) {
    selected.resize(m_model.count(), false);
    // Going down the list, each selected row changes place with the one above;
    // a block that touches the top therefore stays where it is.
    for (int i = 1; i < m_model.count(); ++i) {
        if (!selected[i] || selected[i - 1])
            continue;
        swapRows(i - 1, i);
        selected[i - 1] = true;
        selected[i] = false;
    }
    return selected;
}

QList<bool> TaskEditor::MoveDown(QList<bool> selected) {
    selected.resize(m_model.count(), false);
    for (int i = m_model.count() - 2; i >= 0; --i) {
        if (!selected[i] || selected[i + 1])
            continue;
        swapRows(i, i + 1);
        selected[i + 1] = true;
        selected[i] = false;
    }
    return selected;
}

void TaskEditor::Remove(const QList<bool>& selected) {
    for (int row = qMin(m_model.count(), static_cast<int>(selected.size())) - 1; row >= 0; --row)
        if (selected[row])
            m_model.removeTaskRow(row);
    if (m_model.count() == 0)
        setListButtonsEnabled(false);
}

void TaskEditor::Clear() {
    // Emptying the list also ends a folder walk, which would otherwise fill it again.
    if (busy()) {
        m_pending.clear();
        m_finishWhenDone = false;
        emit busyChanged(false);
    }
    m_model.clearRows();
    setListButtonsEnabled(false);
}

QString TaskEditor::EntryToOpen(const QList<bool>& selected) const {
    for (int row = 0; row < qMin(m_model.count(), static_cast<int>(selected.size())); ++row) {
        if (selected[row]) {
            ltvItemData item;
            m_model.ReadTaskItem(row, TaskField::Caption, item);
            return item.InputFile;
        }
    }
    return QString();
}

void TaskEditor::setListButtonsEnabled(bool enabled) {
    m_listButtonsEnabled = enabled;
    emit listButtonsEnabledChanged(enabled);
}
