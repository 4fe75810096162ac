#include <dialogs/CDlgAddDoorModel.h>

#include <dialogs/DataExchange.h>
#include <dialogs/GbkQString.h>
#include <dialogs/LibraryMessages.h>
#include <dialogs/MessageBoxes.h>
#include <dialogs/TabOrder.h>
#include <dialogs/UserMessages.h>

#include <library/DoorModelFile.h>
#include <library/ModelLibrary.h>
#include <library/NameLookup.h>

#include <kernel/GK_Factories.h>
#include <kernel/GK_Placement.h>
#include <kernel/resabs.h>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int kWideFieldWidth = 210;
constexpr int kListWidth = 280;
constexpr int kPositionWidth = 100;

// Each entry carries the model's name bytes, so that the name read back is
// exactly the stored one whatever its display. A model without a name (left
// by an old file) cannot be named by a door and is not offered.
template <typename List>
void addModelNames(QComboBox* box, const List& models)
{
    for (const auto* model : models)
        if (!model->GetName().empty())
            box->addItem(GbkToQString(model->GetName()), QByteArray::fromStdString(model->GetName()));
    if (box->count() > 0)
        box->setCurrentIndex(0);
}

// Chooses the entry of the name: the same bytes, else the same name without
// regard to letter case; no entry when none has it.
void chooseName(QComboBox* box, const std::string& name)
{
    int found = -1;
    for (int i = box->count() - 1; i >= 0; --i) {
        const std::string entry = box->itemData(i).toByteArray().toStdString();
        if (entry == name)
            found = i;
        else if (found < 0 && EqualNamesNoCase(entry, name))
            found = i;
    }
    box->setCurrentIndex(found);
}

// A hinge position counts only when its magnitude reaches the tolerance.
bool isHingePosition(double p)
{
    return !(p > -resabs && p < resabs);
}

// The name bytes of the selected entry, if an entry is selected.
void takeSelectedName(const QComboBox* box, std::string& name)
{
    if (box->currentIndex() >= 0)
        name = box->currentData().toByteArray().toStdString();
}

// The door's own fields, in this order: name, comments, length, width,
// thickness.
QGroupBox* doorGroup(QWidget* parent, std::initializer_list<QLineEdit*> edits)
{
    auto* door = new QGroupBox(QStringLiteral("门型信息（长度单位：毫米）"), parent);
    auto* doorFields = new QGridLayout(door);
    const char* const labels[] = {"名称", "备注", "长度", "宽度", "厚度"};
    int row = 0;
    for (QLineEdit* edit : edits) {
        doorFields->addWidget(new QLabel(QString::fromUtf8(labels[row]), door), row, 0);
        doorFields->addWidget(edit, row, 1);
        edit->setMinimumWidth(kWideFieldWidth);
        ++row;
    }
    doorFields->setRowStretch(row, 1);
    return door;
}

QGroupBox* lockCoreGroup(QWidget* parent, QComboBox* list, QLineEdit* positionEdit)
{
    auto* lockCore = new QGroupBox(QStringLiteral("锁芯"), parent);
    auto* lockCoreFields = new QGridLayout(lockCore);
    lockCoreFields->addWidget(new QLabel(QStringLiteral("选择锁芯"), lockCore), 0, 0);
    lockCoreFields->addWidget(list, 0, 1);
    lockCoreFields->addWidget(new QLabel(QStringLiteral("位置X"), lockCore), 1, 0);
    lockCoreFields->addWidget(positionEdit, 1, 1);
    list->setMinimumWidth(kListWidth);
    return lockCore;
}

template <typename Edits>
QGroupBox* hingesGroup(QWidget* parent, QComboBox* list, QComboBox* upList, const Edits& positionEdits)
{
    auto* hinges = new QGroupBox(QStringLiteral("合页"), parent);
    auto* hingeFields = new QGridLayout(hinges);
    hingeFields->addWidget(new QLabel(QStringLiteral("选择合页"), hinges), 0, 0);
    hingeFields->addWidget(list, 0, 1, 1, 3);
    hingeFields->addWidget(new QLabel(QStringLiteral("合页靠上"), hinges), 1, 0);
    hingeFields->addWidget(upList, 1, 1, 1, 3);
    for (int i = 0; i < static_cast<int>(std::size(positionEdits)); ++i) {
        const int gridRow = 2 + i / 2;
        const int gridColumn = (i % 2) * 2;
        hingeFields->addWidget(new QLabel(QStringLiteral("位置%1").arg(i + 1), hinges), gridRow, gridColumn);
        hingeFields->addWidget(positionEdits[i], gridRow, gridColumn + 1);
        positionEdits[i]->setMinimumWidth(kPositionWidth);
    }
    return hinges;
}

} // namespace

CDlgAddDoorModel::CDlgAddDoorModel(MessageBoxes& messages, const ModelLibrary* library)
    : NamedModelDialog(messages),
      m_library(library),
      m_nameEdit(makeEdit("name")),
      m_commentsEdit(makeEdit("comments")),
      m_lengthEdit(makeEdit("length")),
      m_widthEdit(makeEdit("width")),
      m_thicknessEdit(makeEdit("thickness")),
      m_lockCoreList(makeDropDown("lockCoreList")),
      m_lockCoreXEdit(makeEdit("lockCoreX")),
      m_hingesList(makeDropDown("hingesList")),
      m_hingePosEdits{makeEdit("hingePos1"), makeEdit("hingePos2"), makeEdit("hingePos3"), makeEdit("hingePos4")},
      m_hingesUpList(makeDropDown("hingesUpList"))
{
    setWindowTitle(QStringLiteral("新增门型"));

    QGroupBox* door = doorGroup(this, {m_nameEdit, m_commentsEdit, m_lengthEdit, m_widthEdit, m_thicknessEdit});
    QGroupBox* lockCore = lockCoreGroup(this, m_lockCoreList, m_lockCoreXEdit);
    QGroupBox* hinges = hingesGroup(this, m_hingesList, m_hingesUpList, m_hingePosEdits);

    auto* right = new QVBoxLayout;
    right->addWidget(lockCore);
    right->addWidget(hinges);

    auto* groups = new QHBoxLayout;
    groups->addWidget(door);
    groups->addLayout(right);

    QPushButton* ok = makeOkButton();
    QPushButton* cancel = makeCancelButton();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch(3);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    SetTabChain({{m_nameEdit, m_commentsEdit, m_lengthEdit, m_widthEdit, m_thicknessEdit, ok, cancel},
                 {m_lockCoreList, m_lockCoreXEdit, m_hingesList},
                 {m_hingePosEdits.begin(), m_hingePosEdits.end()},
                 {m_hingesUpList}});
}

void CDlgAddDoorModel::DoDataExchange(DataExchange& dx)
{
    ExchangeModelName(dx, m_nameEdit, m_name);
    dx.text(m_commentsEdit, m_comments);
    // A size the door reader would drop, as the file writes it, is refused
    // here, or the door would be listed now and gone at the next start.
    const std::pair<QLineEdit*, double*> sizes[] = {
        {m_lengthEdit, &m_length}, {m_widthEdit, &m_width}, {m_thicknessEdit, &m_thickness}};
    for (const auto& [edit, size] : sizes) {
        dx.number(edit, *size);
        dx.check(edit, IsSavableDoorSize(*size), BadDoorSizeMessage());
    }
    dx.number(m_lockCoreXEdit, m_lockCoreX);
    for (int i = 0; i < kHingePositions; ++i)
        dx.number(m_hingePosEdits[i], m_hingePos[i]);
}

void CDlgAddDoorModel::OnInitDialog()
{
    NamedModelDialog::OnInitDialog();
    if (!m_library)
        return;
    addModelNames(m_hingesList, m_library->hinges);
    addModelNames(m_lockCoreList, m_library->lockCores);
    // Its name is empty: the door file's way of saying "no lock core".
    m_lockCoreList->addItem(NoLockCoreEntry(), QByteArray());
    if (m_loaded) {
        chooseName(m_hingesList, m_hingesModelName);
        chooseName(m_lockCoreList, m_lockCoreModelName);
    }
    m_hingesUpList->addItem(QStringLiteral("否"));
    m_hingesUpList->addItem(QStringLiteral("是"));
    m_hingesUpList->setCurrentIndex(m_hingesUp != 0 ? 1 : 0);
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

void CDlgAddDoorModel::OnOK()
{
    takeSelectedName(m_hingesList, m_hingesModelName);
    takeSelectedName(m_lockCoreList, m_lockCoreModelName);
    m_hingesUp = m_hingesUpList->currentIndex() != 0 ? 1 : 0;
    acceptNamed(m_nameEdit);
}

void CDlgAddDoorModel::load(const GK_DoorWithHinges& door)
{
    m_name = door.GetName();
    m_comments = door.GetComments();
    door.GetDoorSize(m_length, m_width, m_thickness);
    m_lockCoreX = door.GetLockCorePos().x;
    m_hingePos.fill(0.0);
    const GU_Pt_List& positions = door.GetHingesPos();
    for (std::size_t i = 0; i < positions.count() && i < m_hingePos.size(); ++i)
        m_hingePos[i] = positions[i].x;
    m_hingesUp = door.HingesUp() != 0 ? 1 : 0;
    m_hingesModelName = door.GetHingesModel() ? door.GetHingesModel()->GetName() : std::string();
    m_lockCoreModelName = door.GetLockCoreModel() ? door.GetLockCoreModel()->GetName() : std::string();
    m_loaded = true;
}

std::unique_ptr<GK_DoorWithHinges> CDlgAddDoorModel::makeDoor() const
{
    auto door = api_gk_make_door_with_hinges(m_name, m_comments, m_length, m_width, m_thickness);
    if (!door)
        return nullptr;
    door->SetLockCorePos(position{m_lockCoreX, 0.0, 0.0});
    for (const double p : m_hingePos)
        if (isHingePosition(p))
            door->SetHingesPos(position{p, 0.0, 0.0});
    door->SetHingesUp(m_hingesUp);
    if (m_library) {
        door->SetHingesModel(ShareHingesByName(*m_library, m_hingesModelName));
        door->SetLockCoreModel(ShareLockCoreByName(*m_library, m_lockCoreModelName));
    }
    return door;
}

bool CDlgAddDoorModel::valuesAccepted()
{
    const std::unique_ptr<GK_DoorWithHinges> door = makeDoor();
    if (!door)
        return true;
    // The hinges of the door are the positions that are not zero; the field
    // of each is found again by counting those.
    std::vector<int> fields;
    for (int i = 0; i < kHingePositions; ++i)
        if (isHingePosition(m_hingePos[i]))
            fields.push_back(i);
    if (const std::vector<GK_PartOffLeaf> off = GK_PartsOffLeaf(*door, resabs); !off.empty()) {
        // The first part named; the others follow once it is mended.
        const GK_PartOffLeaf& first = off.front();
        const int field = first.lockCore ? -1 : fields[first.hinge];
        messages().warning(first.lockCore ? LockCoreOffLeafMessage(m_lockCoreX, first.by)
                                          : HingeOffLeafMessage(field + 1, m_hingePos[field], first.by));
        QLineEdit* edit = first.lockCore ? m_lockCoreXEdit : m_hingePosEdits[field];
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    }
    if (fields.empty() && door->GetHingesModel() && !messages().question(DoorWithoutHingesQuestion())) {
        m_hingePosEdits[0]->setFocus(Qt::OtherFocusReason);
        m_hingePosEdits[0]->selectAll();
        return false;
    }
    return true;
}
