#pragma once
// The update prompt "是否更新": asks once more before the new program is fetched.

#include <QDialog>

#include <functional>

class UpdatePrompt : public QDialog
{
    Q_OBJECT
public:
    // `openProgressWindow` runs when "马上更新" is pressed: it opens the progress window modally and
    // returns when that window has been closed; the prompt stays open meanwhile and afterwards.
    explicit UpdatePrompt(std::function<void()> openProgressWindow);

private:
    std::function<void()> m_openProgressWindow;
};

// Opens the prompt modally, centred on the screen; returns when it has been closed.
void openUpdatePrompt(const std::function<void()> &openProgressWindow);
