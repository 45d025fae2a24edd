#pragma once
// A hyperlink box: one line of text, centred, in one of three colours (normal, hover, visited);
// a press of the left mouse button opens its address in the user's browser or mail program.

#include <QColor>
#include <QString>
#include <QWidget>

class HyperlinkBox : public QWidget
{
    Q_OBJECT
public:
    enum LinkKind { EmailAddress = 0, WebAddress = 1 };

    explicit HyperlinkBox(QWidget *parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString &text);

    // Values above 1 count as a web address, values below 0 as an e-mail address.
    int linkKind() const { return m_kind; }
    void setLinkKind(int kind);

    QString webAddress() const { return m_webAddress; }
    void setWebAddress(const QString &address);
    QString emailAddress() const { return m_emailAddress; }
    void setEmailAddress(const QString &address);
    // What a press opens, and what the box shows while its text is empty.
    QString linkAddress() const;

    QColor normalColour() const { return m_normal; }
    void setNormalColour(const QColor &colour);
    QColor hoverColour() const { return m_hover; }
    void setHoverColour(const QColor &colour);
    QColor visitedColour() const { return m_visited; }
    void setVisitedColour(const QColor &colour);

    bool isVisited() const { return m_isVisited; }
    bool isHovered() const { return m_isHovered; }
    // Hover wins over visited, visited over normal.
    QColor currentColour() const;

    // The left edge in the parent's client area; writing it moves the box.
    int left() const { return x(); }
    void setLeft(int left) { move(left, y()); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_text;
    int m_kind = WebAddress;
    QString m_webAddress;
    QString m_emailAddress;
    QColor m_normal{0, 0, 255};
    QColor m_hover{49, 106, 197};
    QColor m_visited{128, 0, 0};
    bool m_isVisited = false;
    bool m_isHovered = false;
};
