#include "editor/scriptfileactions.h"

#include "app/site.h"
#include "editor/messagebox.h"
#include "editor/scriptbox.h"
#include "platform/filestore.h"
#include "platform/gbkcodec.h"

#include <QDir>
#include <QFileDialog>

namespace {

const QString kTextFilter = QStringLiteral("*.txt");

// The program's own dialog, so that it looks and behaves the same everywhere and never changes
// the current directory (the update lands there).
QString askForPath(QWidget *parent, QFileDialog::AcceptMode mode, const QString &lastPath)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setNameFilter(kTextFilter);
    if (mode == QFileDialog::AcceptOpen) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
    }
    if (!lastPath.isEmpty())
        dialog.selectFile(lastPath);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

ScriptFileActions::ScriptFileActions(QWidget *window, ScriptBox *scriptBox, LowerCaseBox *explanationBox)
    : QObject(window), m_window(window), m_scriptBox(scriptBox), m_explanationBox(explanationBox)
{
}

void ScriptFileActions::openScript()
{
    const QString path = askForPath(m_window, QFileDialog::AcceptOpen, m_lastOpenPath);
    if (path.isEmpty())
        return;
    m_lastOpenPath = path;
    openScriptFile(path);
}

bool ScriptFileActions::openScriptFile(const QString &path)
{
    const FileReadResult file = readUpToFirstZero(path);
    if (!file.ok) {
        showMessage(QStringLiteral("无法打开文件：\r\n%1\r\n原因：%2\r\n脚本框中的内容没有改变。")
                        .arg(QDir::toNativeSeparators(path), file.error),
                    kDefaultMessageTitle, QMessageBox::Warning);
        return false;
    }
    m_scriptBox->setScriptText(gbk::decode(file.bytes, gbk::Case::LowerAscii));
    m_scriptBox->document()->setModified(false);
    if (file.cutAtZero) {
        showMessage(QStringLiteral("文件 %1 的第 %2 个字节是零字节，只读入了它前面的内容。\r\n"
                                   "如果保存到这个文件，零字节后面的内容将会丢失。")
                        .arg(QDir::toNativeSeparators(path))
                        .arg(file.bytes.size() + 1),
                    kDefaultMessageTitle, QMessageBox::Warning);
    }
    return true;
}

bool ScriptFileActions::saveScript()
{
    const QString path = askForPath(m_window, QFileDialog::AcceptSave, m_lastSavePath);
    if (path.isEmpty())
        return false;
    m_lastSavePath = path;
    return saveScriptFile(path);
}

bool ScriptFileActions::saveScriptFile(const QString &path)
{
    QString unencodable;
    const QByteArray bytes = gbk::encode(m_scriptBox->scriptText(), &unencodable);
    if (!unencodable.isEmpty()) {
        showMessage(QStringLiteral("脚本中有 GBK 编码无法保存的字符：%1\r\n请删除或替换这些字符后再保存。文件没有写入。")
                        .arg(unencodable),
                    kDefaultMessageTitle, QMessageBox::Warning);
        return false;
    }
    const QString error = writeFileAtomically(path, bytes);
    if (!error.isEmpty()) {
        showMessage(QStringLiteral("无法保存文件：\r\n%1\r\n原因：%2\r\n磁盘上的文件没有改变。")
                        .arg(QDir::toNativeSeparators(path), error),
                    kDefaultMessageTitle, QMessageBox::Warning);
        return false;
    }
    m_scriptBox->document()->setModified(false);
    return true;
}

void ScriptFileActions::clearScript()
{
    m_scriptBox->setBoxText(QString());
    m_explanationBox->setBoxText(QString());
    m_scriptBox->document()->setModified(false);
    showMessage(QStringLiteral("内容已经清空"));
    m_explanationBox->setBoxText(QStringLiteral("欢迎使用本燧川脚本编辑器\r\n") + currentSite().domain);
}

bool ScriptFileActions::hasUnsavedChanges() const
{
    return m_scriptBox->document()->isModified();
}

bool ScriptFileActions::confirmEnd()
{
    if (!hasUnsavedChanges())
        return true;
    switch (askYesNoCancel(QStringLiteral("脚本已经修改，还没有保存。\r\n要先保存吗？"))) {
    case QMessageBox::Yes:
        return saveScript();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}
