#include <dialogs/CDlgMachineProfile.h>

#include <dialogs/DataExchange.h>
#include <dialogs/MachiningMessages.h>
#include <dialogs/TabOrder.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kLetterWidth = 40;
constexpr int kTextLines = 3;

// Directions and line ends as the lists show them, in the order of their
// values: a direction of 1 is the first entry, -1 the second; CR LF first.
int directionIndex(int direction)
{
    return direction == -1 ? 1 : 0;
}
int directionOf(int index)
{
    return index == 1 ? -1 : 1;
}
} // namespace

CDlgMachineProfile::CDlgMachineProfile(MessageBoxes& messages, const MachineProfile& profile)
    : ExchangeDialog(messages),
      m_profile(profile),
      m_corner(makeDropDown("originCorner")),
      m_xDirection(makeDropDown("xDirection")),
      m_yDirection(makeDropDown("yDirection")),
      m_sideX(makeEdit("sideAxisX")),
      m_sideY(makeEdit("sideAxisY")),
      m_sideZ(makeEdit("sideAxisZ")),
      m_safeHeight(makeEdit("safeHeight")),
      m_breakthrough(makeEdit("breakthrough")),
      m_recessDepth(makeEdit("recessDepth")),
      m_stepover(makeEdit("stepover")),
      m_rapidFeed(makeEdit("rapidFeed")),
      m_cannedCycles(new QCheckBox(QStringLiteral("钻孔用固定循环（G81）"), this)),
      m_comments(new QCheckBox(QStringLiteral("写入注释"), this)),
      m_lineNumbers(makeEdit("lineNumbers")),
      m_extension(makeEdit("extension")),
      m_lineEnd(makeDropDown("lineEnd")),
      m_header(new QPlainTextEdit(this)),
      m_footer(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("机床设置"));
    m_cannedCycles->setObjectName(QStringLiteral("cannedCycles"));
    m_comments->setObjectName(QStringLiteral("comments"));
    m_header->setObjectName(QStringLiteral("header"));
    m_footer->setObjectName(QStringLiteral("footer"));
    m_corner->addItems({QStringLiteral("左下角（0，0）"), QStringLiteral("右下角（门长，0）"),
                        QStringLiteral("右上角（门长，门宽）"), QStringLiteral("左上角（0，门宽）")});
    m_xDirection->addItems({QStringLiteral("沿门长方向"), QStringLiteral("与门长方向相反")});
    m_yDirection->addItems({QStringLiteral("沿门宽方向"), QStringLiteral("与门宽方向相反")});
    m_lineEnd->addItems({QStringLiteral("CR LF（Windows）"), QStringLiteral("LF")});
    for (QLineEdit* letter : {m_sideX, m_sideY, m_sideZ})
        letter->setMaximumWidth(kLetterWidth);
    for (QPlainTextEdit* text : {m_header, m_footer})
        text->setFixedHeight(text->fontMetrics().lineSpacing() * (kTextLines + 1));

    auto* frame = new QGroupBox(QStringLiteral("坐标系"), this);
    auto* frameForm = new QFormLayout(frame);
    frameForm->addRow(QStringLiteral("原点位置"), m_corner);
    frameForm->addRow(QStringLiteral("X轴方向"), m_xDirection);
    frameForm->addRow(QStringLiteral("Y轴方向"), m_yDirection);
    auto* letters = new QHBoxLayout;
    for (QLineEdit* letter : {m_sideX, m_sideY, m_sideZ})
        letters->addWidget(letter);
    letters->addStretch();
    frameForm->addRow(QStringLiteral("侧头轴名（X Y Z）"), letters);

    auto* cutting = new QGroupBox(QStringLiteral("加工参数"), this);
    auto* cuttingForm = new QFormLayout(cutting);
    cuttingForm->addRow(QStringLiteral("安全高度（毫米）"), m_safeHeight);
    cuttingForm->addRow(QStringLiteral("穿透量（毫米）"), m_breakthrough);
    cuttingForm->addRow(QStringLiteral("锁面板槽深（毫米）"), m_recessDepth);
    cuttingForm->addRow(QStringLiteral("步距（刀径的%）"), m_stepover);
    cuttingForm->addRow(QStringLiteral("快移速度（毫米/分）"), m_rapidFeed);

    auto* text = new QGroupBox(QStringLiteral("程序格式"), this);
    auto* textForm = new QFormLayout(text);
    textForm->addRow(m_cannedCycles);
    textForm->addRow(m_comments);
    textForm->addRow(QStringLiteral("行号间隔（0为不写）"), m_lineNumbers);
    textForm->addRow(QStringLiteral("文件扩展名"), m_extension);
    textForm->addRow(QStringLiteral("换行符"), m_lineEnd);
    textForm->addRow(QStringLiteral("程序头"), m_header);
    textForm->addRow(QStringLiteral("程序尾"), m_footer);

    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(frame);
    left->addWidget(cutting);
    left->addStretch();
    columns->addLayout(left);
    columns->addWidget(text);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetTabChain({{m_corner, m_xDirection, m_yDirection, m_sideX, m_sideY, m_sideZ, m_safeHeight, m_breakthrough,
                  m_recessDepth, m_stepover, m_rapidFeed, m_cannedCycles, m_comments, m_lineNumbers, m_extension,
                  m_lineEnd, m_header, m_footer, ok, cancel}});
}

void CDlgMachineProfile::DoDataExchange(DataExchange& dx)
{
    MachineProfile& p = m_profile;
    dx.choice(m_corner, p.OriginCorner);
    int xIndex = directionIndex(p.XDirection);
    int yIndex = directionIndex(p.YDirection);
    dx.choice(m_xDirection, xIndex);
    dx.choice(m_yDirection, yIndex);
    dx.text(m_sideX, p.SideAxisX);
    dx.text(m_sideY, p.SideAxisY);
    dx.text(m_sideZ, p.SideAxisZ);
    dx.number(m_safeHeight, p.SafeHeight);
    dx.number(m_breakthrough, p.Breakthrough);
    dx.number(m_recessDepth, p.RecessDepth);
    dx.number(m_stepover, p.Stepover);
    dx.number(m_rapidFeed, p.RapidFeed);
    dx.flag(m_cannedCycles, p.CannedCycles);
    dx.flag(m_comments, p.Comments);
    dx.number(m_lineNumbers, p.LineNumbers);
    dx.text(m_extension, p.Extension);
    int lineEnd = p.CrLf ? 0 : 1;
    dx.choice(m_lineEnd, lineEnd);
    dx.text(m_header, p.Header);
    dx.text(m_footer, p.Footer);
    if (!dx.reading() || dx.failed())
        return;
    p.XDirection = directionOf(xIndex);
    p.YDirection = directionOf(yIndex);
    p.CrLf = lineEnd == 1 ? 0 : 1;
    // Letters are taken as capitals, the way controllers read them.
    for (std::string* letter : {&p.SideAxisX, &p.SideAxisY, &p.SideAxisZ})
        for (char& c : *letter)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    const ProfileProblem problem = CheckMachineProfile(p);
    if (QLineEdit* field = fieldOf(problem))
        dx.check(field, false, ProfileProblemText(problem));
}

QLineEdit* CDlgMachineProfile::fieldOf(ProfileProblem problem) const
{
    switch (problem) {
    case ProfileProblem::SideAxis:
        return m_sideX;
    case ProfileProblem::SafeHeight:
        return m_safeHeight;
    case ProfileProblem::Breakthrough:
        return m_breakthrough;
    case ProfileProblem::RecessDepth:
        return m_recessDepth;
    case ProfileProblem::Stepover:
        return m_stepover;
    case ProfileProblem::LineNumbers:
        return m_lineNumbers;
    case ProfileProblem::Extension:
        return m_extension;
    case ProfileProblem::RapidFeed:
        return m_rapidFeed;
    // The lists offer only values the program can work with.
    case ProfileProblem::OriginCorner:
    case ProfileProblem::Direction:
    case ProfileProblem::None:
        break;
    }
    return nullptr;
}
