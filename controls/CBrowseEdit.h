#pragma once

#include <QLineEdit>

class QToolButton;

/// A line edit with a browse button at its right end, inside its frame. The button asks,
/// through CFileChooser, for a folder (folder mode) or a file to open without a file-type
/// filter (file mode), starting from the field's text, and puts the chosen path into the
/// field; cancelling leaves the text as it was.
class CBrowseEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class Mode
    {
        Folder,
        File,
    };

    explicit CBrowseEdit(Mode mode, QWidget* parent = nullptr);

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
