#pragma once
// Opening, saving and clearing the script: the file dialogs, the files on disk, and what the user is
// told when something goes wrong. The script box is never emptied by a failure.

#include <QObject>
#include <QString>

class QWidget;
class ScriptBox;
class LowerCaseBox;

class ScriptFileActions : public QObject
{
    Q_OBJECT
public:
    ScriptFileActions(QWidget *window, ScriptBox *scriptBox, LowerCaseBox *explanationBox);

    void openScript();
    bool saveScript(); // true when the script was written
    void clearScript();

    // Loads `path` as the open dialog would after the user chose it.
    bool openScriptFile(const QString &path);
    bool saveScriptFile(const QString &path);

    // Whether the script box holds changes made since it was last opened, saved or cleared.
    bool hasUnsavedChanges() const;
    // Before the program ends: asks to save unsaved changes. False when the user chose to stay.
    bool confirmEnd();

private:
    QWidget *m_window;
    ScriptBox *m_scriptBox;
    LowerCaseBox *m_explanationBox;
    // Each dialog opens with the path last confirmed in it.
    QString m_lastOpenPath;
    QString m_lastSavePath;
};
