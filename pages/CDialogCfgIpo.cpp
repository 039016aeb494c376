#include "pages/CDialogCfgIpo.h"

#include "config/data/CCfgData.h"
#include "controls/CDialogUnits.h"
#include "controls/CIpAddressEdit.h"
#include "controls/CXListCtrl.h"
#include "controls/UserMessage.h"
#include "pages/PageForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>

using namespace PageForm;

namespace {

constexpr int kTemplateHeight = 750;

constexpr std::uint64_t kMaxExtCount = 99;
constexpr std::uint64_t kMaxDtCount = 30;
// A run is typed by hand and checked by eye in the list. No single trunk needs more IP
// channels than this in one run, and a count mistyped by a digit or two must not fill the
// list with tens of thousands of rows (or exhaust memory) that would all be saved.
constexpr std::uint64_t kMaxIpTrunkCount = 999;
// Extension lines and VS lines are unsigned 32-bit numbers; the parts of a trunk line
// number are signed 32-bit numbers. A run must not wrap round past either end.
constexpr std::uint64_t kLargestUnsignedLine = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kSmallestTrunkPart = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kLargestTrunkPart = std::numeric_limits<std::int32_t>::max();
// Far beyond every limit above, and far from overflowing when a count is added.
constexpr std::uint64_t kSaturated = std::uint64_t(1) << 62;

bool IsSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
}

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

/// Reads the digits at `pos`, moving past them; the value stops growing at kSaturated, so a
/// number too large for any line stays too large instead of wrapping. False when there are none.
bool ReadDigits(const QString& text, qsizetype& pos, std::uint64_t& value)
{
    const qsizetype start = pos;
    value = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
        value = std::min(value * 10 + std::uint64_t(text[pos].unicode() - '0'), kSaturated);
    return pos > start;
}

/// The unsigned decimal number at the start of `text`, after any white space; 0 when there is none.
std::uint64_t LeadingNumber(const QString& text)
{
    qsizetype pos = 0;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    std::uint64_t value = 0;
    ReadDigits(text, pos, value);
    return value;
}

/// A signed decimal number at `pos`, after any white space; false when there is none.
bool ReadSigned(const QString& text, qsizetype& pos, std::int64_t& value)
{
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    std::uint64_t magnitude = 0;
    if (!ReadDigits(text, pos, magnitude))
        return false;
    value = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
    return true;
}

/// A first trunk line: a number, or two numbers joined by a dot. Each part is 0 when absent,
/// so a text that does not start with a number counts from 0.
struct TrunkStart
{
    std::int64_t major = 0;
    std::int64_t minor = 0;
};

TrunkStart ParseTrunkStart(const QString& text)
{
    TrunkStart start;
    qsizetype pos = 0;
    if (ReadSigned(text, pos, start.major) && pos < text.size() && text[pos] == QLatin1Char('.')) {
        ++pos;
        ReadSigned(text, pos, start.minor);
    }
    return start;
}

bool IsTrunkPart(std::int64_t value)
{
    return value >= kSmallestTrunkPart && value <= kLargestTrunkPart;
}

/// The VS line of the i-th line of a run: counted on from the associated channel, or empty
/// when the channel box is.
struct VsLines
{
    QString channelText;
    std::uint64_t channel;

    QString At(int i) const
    {
        return channelText.isEmpty() ? QString() : QString::number(channel + std::uint64_t(i));
    }
    /// Whether the last VS line of a run of `count` is still a VS line number.
    bool Fit(std::uint64_t count) const
    {
        return channelText.isEmpty() || channel + count - 1 <= kLargestUnsignedLine;
    }
};

/// Sets a run of lines in `list`: a line already listed keeps its row and takes the run's
/// type and VS line; a new one is appended. The list is looked up once for the whole run.
void SetRun(CXListCtrl* list, int count, const std::function<QString(int)>& lineAt, const QString& type,
            const VsLines& vs)
{
    QHash<QString, int> rows = list->RowsByText();
    for (int i = 0; i < count; ++i) {
        const QString line = lineAt(i);
        auto found = rows.constFind(line);
        const int row = found != rows.constEnd() ? *found : list->AppendRow(line);
        if (found == rows.constEnd())
            rows.insert(line, row);
        list->SetItemText(row, 1, type);
        list->SetItemText(row, 2, vs.At(i));
    }
    // New rows take their place in the order the list is shown in.
    list->Resort();
}

/// Whether a stored line belongs to the extension list: its type is exactly one of these.
bool IsExtensionType(const std::string& type)
{
    return type == "EXT" || type == "IVR" || type == "FAX";
}

CXListCtrl* NewLineList(const QString& objectName, const CDialogUnits& units)
{
    auto* list = new CXListCtrl;
    list->setObjectName(objectName);
    list->SetColumns({QStringLiteral("线路号"), QStringLiteral("线路类型"), QStringLiteral("关联VS线路")});
    // Low enough that a list, the boxes of a run and its buttons fit in the frame together,
    // so the rows a run adds are seen as they come.
    list->setMinimumHeight(units.Y(120));
    return list;
}

/// A group of one line list: the list, the boxes of a run beneath it, and its two buttons.
QGroupBox* NewLineGroup(const QString& title, const QString& objectName, CXListCtrl* list,
                        const std::array<std::pair<QString, QWidget*>, 4>& boxes, QPushButton* add,
                        QPushButton* del, const CDialogUnits& units)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(objectName);
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(units.X(7), units.Y(7), units.X(7), units.Y(7));
    grid->setHorizontalSpacing(units.X(4));
    grid->setVerticalSpacing(units.Y(6));
    grid->addWidget(list, 0, 0, 1, 4);
    // Two boxes a row: first line and type, then associated channel and count.
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int row = 1 + int(i) / 2;
        const int column = 2 * (int(i) % 2);
        auto* label = NewLabel(boxes[i].first, boxes[i].second->objectName() + QStringLiteral("Label"));
        label->setBuddy(boxes[i].second);
        grid->addWidget(label, row, column);
        grid->addWidget(boxes[i].second, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(add);
    buttons->addWidget(del);
    grid->addLayout(buttons, 3, 0, 1, 4);
    return group;
}

} // namespace

CDialogCfgIpo::CDialogCfgIpo(const CCfgData& cfg, QWidget* parent) : CSettingsPage(kTemplateHeight, parent)
{
    setObjectName(QStringLiteral("CDialogCfgIpo"));
    const CDialogUnits units(font());
    m_listExtLines = NewLineList(QStringLiteral("listExtLines"), units);
    m_editExtStart = NewDigitsEdit(QStringLiteral("editExtStart"));
    m_comboExtType = NewCombo(QStringLiteral("comboExtType"));
    m_editExtChannel = NewDigitsEdit(QStringLiteral("editExtChannel"));
    m_editExtCount = NewDigitsEdit(QStringLiteral("editExtCount"));
    auto* addExt = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddExtLines"));
    auto* delExt = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelExtLines"));

    m_listTrunkLines = NewLineList(QStringLiteral("listTrunkLines"), units);
    // A trunk line may be two numbers joined by a dot, so this box takes any characters.
    m_editTrunkStart = NewTextEdit(QStringLiteral("editTrunkStart"));
    m_comboTrunkType = NewCombo(QStringLiteral("comboTrunkType"));
    m_editTrunkChannel = NewDigitsEdit(QStringLiteral("editTrunkChannel"));
    m_editTrunkCount = NewDigitsEdit(QStringLiteral("editTrunkCount"));
    GrowsWithWindow(m_listExtLines);
    GrowsWithWindow(m_listTrunkLines);
    auto* addTrunk = NewButton(QStringLiteral("添加"), QStringLiteral("btnAddTrunkLines"));
    auto* delTrunk = NewButton(QStringLiteral("删除"), QStringLiteral("btnDelTrunkLines"));

    DeviceGrid grid(Form(), units);
    grid.SetHeading(QStringLiteral("IPO："), QStringLiteral("labelIpo"));
    grid.AddSubHeading(QStringLiteral("DevLink设置："), QStringLiteral("labelDevLink"));
    QList<QWidget*> order = grid.AddSettings(m_settings, {"DevLinkIp", "DevLinkPwd", "IpoLinkPort"});
    grid.AddSubHeading(QStringLiteral("线路设置："), QStringLiteral("labelLines"));
    grid.AddWide(NewLineGroup(QStringLiteral("分机线路:"), QStringLiteral("groupExtLines"), m_listExtLines,
                              {{{QStringLiteral("起始线路："), m_editExtStart},
                                {QStringLiteral("类型："), m_comboExtType},
                                {QStringLiteral("关联通道："), m_editExtChannel},
                                {QStringLiteral("数量："), m_editExtCount}}},
                              addExt, delExt, units));
    grid.AddWide(NewLineGroup(QStringLiteral("中继线路:"), QStringLiteral("groupTrunkLines"),
                              m_listTrunkLines,
                              {{{QStringLiteral("起始线路："), m_editTrunkStart},
                                {QStringLiteral("类型："), m_comboTrunkType},
                                {QStringLiteral("关联通道："), m_editTrunkChannel},
                                {QStringLiteral("数量："), m_editTrunkCount}}},
                              addTrunk, delTrunk, units));
    grid.Finish();

    // Tab follows the screen: to add a run, its fields from the first line to the count, then Add.
    SetTabOrder(order + QList<QWidget*>{m_listExtLines, m_editExtStart, m_comboExtType, m_editExtChannel,
                                        m_editExtCount, addExt, delExt, m_listTrunkLines, m_editTrunkStart,
                                        m_comboTrunkType, m_editTrunkChannel, m_editTrunkCount, addTrunk,
                                        delTrunk});

    connect(addExt, &QPushButton::clicked, this, &CDialogCfgIpo::OnAddExtLines);
    connect(delExt, &QPushButton::clicked, this, &CDialogCfgIpo::OnDelExtLines);
    connect(addTrunk, &QPushButton::clicked, this, &CDialogCfgIpo::OnAddTrunkLines);
    connect(delTrunk, &QPushButton::clicked, this, &CDialogCfgIpo::OnDelTrunkLines);

    m_comboExtType->addItems({QStringLiteral("EXT"), QStringLiteral("IVR"), QStringLiteral("FAX")});
    m_comboExtType->setCurrentIndex(0);
    m_comboTrunkType->addItems({QStringLiteral("DT"), QStringLiteral("H323"), QStringLiteral("SIP")});
    m_comboTrunkType->setCurrentIndex(0);

    OnInitDialog();
    SetFirstField(m_settings.Editor("DevLinkIp"));
    ShowCfg(cfg);
}

CCfgDialog::FindCount CDialogCfgIpo::Find(const QString& text)
{
    CXListCtrl* list = nullptr;
    for (CXListCtrl* candidate : {m_listExtLines, m_listTrunkLines}) {
        if (IsFocusedIn(candidate))
            list = candidate;
    }
    if (!list)
        return CSettingsPage::Find(text);
    if (m_findList && m_findList != list)
        m_findList->Filter(QString());
    m_findList = list;
    BringIntoView(list);
    return {list->Filter(text), list->rowCount()};
}

void CDialogCfgIpo::FindStep(bool forward)
{
    if (m_findList)
        m_findList->StepFilter(forward);
    else
        CSettingsPage::FindStep(forward);
}

void CDialogCfgIpo::EndFind()
{
    if (!m_findList) {
        CSettingsPage::EndFind();
        return;
    }
    m_findList->Filter(QString());
    m_findList->setFocus(Qt::OtherFocusReason);
    m_findList = nullptr;
}

void CDialogCfgIpo::ShowCfg(const CCfgData& cfg)
{
    CSettingsPage::ShowCfg(cfg);
    m_listExtLines->setRowCount(0);
    m_listTrunkLines->setRowCount(0);
    for (const auto& line : cfg.IpoLines) {
        CXListCtrl* list = IsExtensionType(line->name) ? m_listExtLines : m_listTrunkLines;
        const int row = list->AppendRow(FromStore(line->value));
        list->SetItemText(row, 1, FromStore(line->name));
        list->SetItemText(row, 2, FromStore(line->value2));
    }
}

void CDialogCfgIpo::UpdateCfg(CCfgData& cfg)
{
    CSettingsPage::UpdateCfg(cfg);
    cfg.IpoLines.DeleteAll();
    for (const CXListCtrl* list : {m_listExtLines, m_listTrunkLines}) {
        // In the order the lines were added, whatever order the list shows them in.
        for (int row : list->RowsInAddedOrder()) {
            auto line = std::make_unique<tagIpoLine>();
            line->value = ToStore(list->GetItemText(row, 0));
            line->name = ToStore(list->GetItemText(row, 1));
            line->value2 = ToStore(list->GetItemText(row, 2));
            cfg.IpoLines.AddTail(std::move(line));
        }
    }
}

void CDialogCfgIpo::OnAddExtLines()
{
    const std::uint64_t start = LeadingNumber(m_editExtStart->text());
    if (start == 0) {
        Refuse("请输入起始分机线路号!", m_editExtStart);
        return;
    }
    const std::uint64_t count = LeadingNumber(m_editExtCount->text());
    if (count < 1 || count > kMaxExtCount) {
        Refuse("分机线路数需在1至99之间！", m_editExtCount);
        return;
    }
    if (start + count - 1 > kLargestUnsignedLine) {
        Refuse("分机线路号需在1至4294967295之间！", m_editExtStart);
        return;
    }
    const VsLines vs{m_editExtChannel->text(), LeadingNumber(m_editExtChannel->text())};
    if (!vs.Fit(count)) {
        Refuse("关联通道号需在0至4294967295之间！", m_editExtChannel);
        return;
    }

    SetRun(
        m_listExtLines, int(count), [start](int i) { return QString::number(start + std::uint64_t(i)); },
        m_comboExtType->currentText(), vs);
}

void CDialogCfgIpo::OnAddTrunkLines()
{
    const QString startText = m_editTrunkStart->text();
    if (startText.isEmpty()) {
        Refuse("请输入起始中继线路号!", m_editTrunkStart);
        return;
    }
    const QString type = m_comboTrunkType->currentText();
    const std::uint64_t count = LeadingNumber(m_editTrunkCount->text());
    if (type == QLatin1String("DT") && (count < 1 || count > kMaxDtCount)) {
        Refuse("数字中继线路数需在1至30之间！", m_editTrunkCount);
        return;
    }
    if (count > kMaxIpTrunkCount) {
        Refuse("H323/SIP中继线路数不能超过999！", m_editTrunkCount);
        return;
    }
    if (count == 0)
        return;

    const TrunkStart start = ParseTrunkStart(startText);
    // The part after the dot counts up when there is one; 2.0 counts like 2.
    const bool dotted = start.minor != 0;
    const std::int64_t last = (dotted ? start.minor : start.major) + std::int64_t(count) - 1;
    if (!IsTrunkPart(start.major) || !IsTrunkPart(start.minor) || last > kLargestTrunkPart) {
        Refuse("中继线路号需在-2147483648至2147483647之间！", m_editTrunkStart);
        return;
    }
    const VsLines vs{m_editTrunkChannel->text(), LeadingNumber(m_editTrunkChannel->text())};
    if (!vs.Fit(count)) {
        Refuse("关联通道号需在0至4294967295之间！", m_editTrunkChannel);
        return;
    }

    SetRun(
        m_listTrunkLines, int(count),
        [start, dotted](int i) {
            return dotted ? QStringLiteral("%1.%2").arg(start.major).arg(start.minor + i)
                          : QString::number(start.major + i);
        },
        type, vs);
}

void CDialogCfgIpo::OnDelExtLines()
{
    m_listExtLines->DeleteSelectedItems();
}

void CDialogCfgIpo::OnDelTrunkLines()
{
    m_listTrunkLines->DeleteSelectedItems();
}

void CDialogCfgIpo::Refuse(const char* text, QWidget* box)
{
    ShowMessage(this, text, kApplicationTitle, MsgButtons::Ok, MsgIcon::None);
    box->setFocus(Qt::OtherFocusReason);
}
