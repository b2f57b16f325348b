#pragma once

#include <QColor>
#include <QString>

#include <array>

// The five levels of likelihood, impact and risk, 1 (Very Low) to 5 (Very
// High), and the matrix that combines a likelihood with an impact into a
// level of risk. Every level shown anywhere is looked up in the workbook's
// matrix, never stored beside the likelihood and impact it comes from.
namespace RiskLevel {

inline constexpr int kLowest = 1;
inline constexpr int kHighest = 5;

constexpr bool isValid(int level) { return level >= kLowest && level <= kHighest; }

// "Very Low", "Low", "Moderate", "High", "Very High"; empty for 0 (not set).
QString name(int level);
// "VL", "L", "M", "H", "VH": the name where there is no room for it.
QString shortName(int level);
// The level whose name is text (case-insensitive, also "1".."5"); 0 when none.
int fromText(const QString &text);
// The cell colour of a level (always shown with its name, never alone).
QColor colour(int level);
// Text colour readable on colour(level).
QColor textColour(int level);

} // namespace RiskLevel

// Likelihood (rows) against impact (columns).
class RiskMatrix
{
public:
    // The default matrix: the assessment scale of level of risk as the
    // combination of likelihood and impact from the five-level guide to risk
    // assessments (SP 800-30 Rev. 1, Appendix I, Table I-2).
    static RiskMatrix standard();

    // The level of risk; 0 when either input is not a level.
    int level(int likelihood, int impact) const;
    // Sets one cell; false when any argument is not a level.
    bool setLevel(int likelihood, int impact, int level);

    friend bool operator==(const RiskMatrix &, const RiskMatrix &) = default;

private:
    // m_cells[likelihood - 1][impact - 1]
    std::array<std::array<int, 5>, 5> m_cells{};
};
