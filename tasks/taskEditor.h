#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class Prompter;
class TaskListModel;

// True when the extension of the path's file name (from its last "." on,
// lower-cased A-Z only) is one of the types, e.g. ".avi".
bool IsListedType(const QString& path, const QStringList& types);

// The files directly inside a folder that the open dialog would offer: no
// subfolders, no hidden files, names matching the input types, sorted by name
// ignoring case.
QStringList ListVideoFiles(const QString& folder);

// Every command that changes the task list, without any widget: the window
// passes the selection in and shows what comes back. Adding a folder walks it
// one file per event-loop turn, so the window keeps repainting and taking
// input while a large folder is added; files added meanwhile by other commands
// join the end of that walk, so the list keeps the order in which they came.
class TaskEditor final : public QObject {
    Q_OBJECT
public:
    // `errorCaption` is the caption of the box that reports an unreadable file.
    TaskEditor(TaskListModel& model, Prompter& prompter, QString errorCaption,
               QObject* parent = nullptr);

    // One file: the duplicate question, the media query, one new row.
    // Returns true when a row was added.
    bool AddTaskFile(const QString& path);
    // The matching files directly inside the folder, through AddTaskFile, in
    // name order; returns at once and adds them on later event-loop turns.
    void AddTaskFolder(const QString& folder);

    // The commands, as the tool buttons, the drop and the command line run them.
    void AddFiles(const QStringList& chosen); // in the order the open dialog returns them
    void AddFolder(const QString& folder);
    void AddDropped(const QStringList& paths);
    void AddCommandLine(const QStringList& arguments); // without the program name
    QList<bool> MoveUp(QList<bool> selected);
    QList<bool> MoveDown(QList<bool> selected);
    void Remove(const QList<bool>& selected);
    void Clear();
    // The file the Open command opens: the first selected entry; empty with no selection.
    QString EntryToOpen(const QList<bool>& selected) const;

    // Move Up, Move Down, Remove, Clear and Start.
    bool listButtonsEnabled() const { return m_listButtonsEnabled; }
    // A folder walk is still adding files.
    bool busy() const { return !m_pending.isEmpty(); }
    int pendingFiles() const { return static_cast<int>(m_pending.size()); }

signals:
    // A file is about to be added: the start banner goes away for good.
    void addingFile();
    void listButtonsEnabledChanged(bool enabled);
    void busyChanged(bool busy);
    // One file of a walk has been handled (added, declined or failed).
    void walkStepDone();

private:
    void offerFile(const QString& path);
    void finishAdding();
    void scheduleStep();
    void step();
    void setListButtonsEnabled(bool enabled);
    void swapRows(int a, int b);

    TaskListModel& m_model;
    Prompter& m_prompter;
    QString m_errorCaption;
    QStringList m_pending;
    bool m_stepScheduled = false;
    bool m_finishWhenDone = false;
    bool m_listButtonsEnabled = false;
};
