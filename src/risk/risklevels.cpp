#include "risk/risklevels.h"

namespace RiskLevel {

namespace {
constexpr std::array<const char *, 5> kNames = {"Very Low", "Low", "Moderate", "High", "Very High"};
constexpr std::array<const char *, 5> kShortNames = {"VL", "L", "M", "H", "VH"};
}

QString shortName(int level)
{
    return isValid(level) ? QString::fromLatin1(kShortNames[level - 1]) : QString();
}

QString name(int level)
{
    return isValid(level) ? QString::fromLatin1(kNames[level - 1]) : QString();
}

int fromText(const QString &text)
{
    const QString t = text.simplified();
    for (int level = kLowest; level <= kHighest; ++level) {
        if (t.compare(name(level), Qt::CaseInsensitive) == 0 || t == QString::number(level))
            return level;
    }
    return 0;
}

QColor colour(int level)
{
    switch (level) {
    case 1: return QColor(0x2e, 0x7d, 0x32);  // green
    case 2: return QColor(0x9c, 0xcc, 0x65);  // light green
    case 3: return QColor(0xff, 0xd5, 0x4f);  // amber
    case 4: return QColor(0xf5, 0x7c, 0x00);  // orange
    case 5: return QColor(0xc6, 0x28, 0x28);  // red
    default: return QColor(Qt::white);
    }
}

QColor textColour(int level)
{
    return (level == 1 || level == 5) ? QColor(Qt::white) : QColor(Qt::black);
}

} // namespace RiskLevel

RiskMatrix RiskMatrix::standard()
{
    // Rows from likelihood Very Low to Very High; columns impact Very Low to
    // Very High.
    static constexpr int kTable[5][5] = {
        {1, 1, 1, 2, 2}, // Very Low
        {1, 2, 2, 2, 3}, // Low
        {1, 2, 3, 3, 4}, // Moderate
        {1, 2, 3, 4, 5}, // High
        {1, 2, 3, 4, 5}, // Very High
    };
    RiskMatrix matrix;
    for (int l = 0; l < 5; ++l)
        for (int i = 0; i < 5; ++i)
            matrix.m_cells[l][i] = kTable[l][i];
    return matrix;
}

int RiskMatrix::level(int likelihood, int impact) const
{
    if (!RiskLevel::isValid(likelihood) || !RiskLevel::isValid(impact))
        return 0;
    return m_cells[likelihood - 1][impact - 1];
}

bool RiskMatrix::setLevel(int likelihood, int impact, int level)
{
    if (!RiskLevel::isValid(likelihood) || !RiskLevel::isValid(impact) || !RiskLevel::isValid(level))
        return false;
    m_cells[likelihood - 1][impact - 1] = level;
    return true;
}
