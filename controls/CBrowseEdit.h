#pragma once

#include <QLineEdit>
#include <functional>

class QToolButton;

/// A line edit with a browse button at its right end, inside its frame. The button opens
/// the folder chooser (folder mode) or the file-open dialog without a file-type filter
/// (file mode) and puts the chosen path into the field; cancelling leaves the text as it
/// was. The button is no tab stop: the field is.
class CBrowseEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class Mode
    {
        Folder,
        File,
    };

    /// Asks the user for a path, starting from the field's text; an empty result means
    /// cancelled.
    using Chooser = std::function<QString(QWidget* owner, Mode mode, const QString& current)>;

    explicit CBrowseEdit(Mode mode, QWidget* parent = nullptr);

    /// Replaces how every browse field asks for a path (tests answer without a dialog) and
    /// returns the chooser used before; an empty one stands for the platform's dialogs.
    static Chooser SetChooser(Chooser chooser);

    /// What a click on the browse button does.
    void OnBrowse();

    /// The browse button, for the tab order of the form the field is on.
    QToolButton* BrowseButton() const { return m_button; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceButton();

    Mode m_mode;
    QToolButton* m_button;
};
