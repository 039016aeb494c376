#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;

/// An IPv4 address field: four digit parts of 0 to 255 with dots between, inside one
/// line-edit frame. Typing '.' in a filled part or a third digit moves on to the next part;
/// Backspace or Left at the start of a part moves back, Right at its end moves on. The
/// field is one tab stop: Tab enters it at the first part and leaves it from any part.
///
/// Its text is dotted decimal. A blank part reads as 0 as long as any part is filled, so a
/// half-typed address still gives four numbers; a field with every part blank gives an
/// empty text, which is how an address that was never set stays unset.
///
/// A stored text that is no address (a host name, say) is kept: the field shows it greyed
/// and gives it back unchanged until the user changes a part, so saving a form never loses
/// what nobody touched.
class CIpAddressEdit : public QWidget
{
    Q_OBJECT

public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    /// Shows `address` if it is dotted decimal: four parts of one to three digits, each at
    /// most 255, surrounding spaces ignored. Anything else (a host name, "300.1.1.1", three
    /// parts) cannot be shown as an address: it leaves every part blank and is kept.
    void SetAddress(const QString& address);
    /// The parts as dotted decimal numbers without leading zeros; empty when all are blank.
    /// A kept text instead, as long as no part has changed since it was set.
    QString Address() const;
    /// The text kept from SetAddress because it is no address; empty when there is none or
    /// once a part has changed.
    QString KeptText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int PartOf(QObject* object) const;
    bool HandlePartKey(int part, QKeyEvent* event);
    void OnPartEdited(int part);
    void FinishPart(int part);
    void EnterPart(int part, int cursor);
    int FrameWidth() const;
    void OnPartChanged();
    /// Shows the kept text over the blank parts while no part has the focus.
    void UpdateKeptView();

    std::array<QLineEdit*, 4> m_parts{};
    QLabel* m_keptView;
    QString m_kept;
    bool m_settingAddress = false;
};
