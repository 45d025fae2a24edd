#pragma once
// The program's one lasting window: the script box, the explanation box, the labels that open the
// category windows, the keyword buttons and the menu bar. Each behaviour lives in a collaborator;
// this class lays the window out and wires it.

#include <QMainWindow>

class ClockDisplay;
class HyperlinkBox;
class LowerCaseBox;
class NoticeTicker;
struct VersionCheckHooks;
class PressLabel;
class ScriptBox;
class ScriptFileActions;

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

    // The "created" step, run once before the window is first shown: skin, version check, notice
    // ticker, then the welcome message. False when the version check ended the program.
    bool onMainWindowCreated(const VersionCheckHooks &hooks);

    void showSite();

    ScriptBox *scriptBox() const { return m_scriptBox; }
    LowerCaseBox *explanationBox() const { return m_explanationBox; }
    ScriptFileActions *fileActions() const { return m_fileActions; }
    PressLabel *label(QStringView name) const;
    HyperlinkBox *ticker() const { return m_tickerBox; }
    NoticeTicker *noticeTicker() const { return m_ticker; }
    ClockDisplay *clock() const { return m_clock; }

signals:
    void categoryRequested(int index); // 0..5: the six opening labels, left button
    void aboutRequested();
    void authorRequested();
    void historyRequested();
    void onlineUpdateRequested();
    void quitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void createControls(QWidget *client);

    ScriptBox *m_scriptBox = nullptr;
    LowerCaseBox *m_explanationBox = nullptr;
    ScriptFileActions *m_fileActions = nullptr;
    HyperlinkBox *m_tickerBox = nullptr;
    NoticeTicker *m_ticker = nullptr;
    ClockDisplay *m_clock = nullptr;
};
