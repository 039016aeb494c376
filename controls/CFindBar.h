#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

/// The find bar under a page: a box for the text, the count of matches, and buttons for the
/// previous and next match and for closing. In the box Enter and F3 go to the next match,
/// Shift+Enter and Shift+F3 to the previous, Escape closes the bar.
class CFindBar : public QWidget
{
    Q_OBJECT

public:
    explicit CFindBar(QWidget* parent = nullptr);

    /// Shows the bar with the focus in its box, its text selected.
    void Open();
    QString Text() const;
    /// Shows how many matched of how many there are: "12 / 10000"; nothing for an empty text.
    void ShowCount(int matches, int total);

Q_SIGNALS:
    /// The text changed: what matches it is to be shown.
    void Search(const QString& text);
    /// Go to the next match, or the previous one.
    void Step(bool forward);
    /// The bar was closed: everything is to be shown again.
    void Closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Close();

    QLineEdit* m_edit;
    QLabel* m_count;
};
