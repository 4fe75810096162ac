#include <grid/CItemInfo.h>

#include <stdexcept>

QString CItemInfo::SubItemText(int i) const
{
    if (i < 0 || i >= m_subItemTexts.size())
        throw std::out_of_range("sub-item text index out of range");
    return m_subItemTexts.at(i);
}

void CItemInfo::SetSubItemText(int i, const QString& text)
{
    if (i < 0)
        throw std::out_of_range("negative sub-item text index");
    while (m_subItemTexts.size() <= i)
        m_subItemTexts.append(QString());
    m_subItemTexts[i] = text;
}
