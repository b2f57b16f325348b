#pragma once

#include <array>

// Which compiled-in passages make up each safeguard's reference texts, and
// which shipped files replace them. Keys are those of the text resources
// (rule.txt, preamble.txt, guidance.txt); a key list is space-separated.
namespace Reference::Recipes {

// Rule lines of References in Rule that repeat the Implementation
// Specification's lines.
inline constexpr const char *SameRuleLines = "=";

struct Recipe
{
    const char *term;               // highlight term of the Implementation Specification and References in Rule
    const char *ruleLines;          // Implementation Specification
    const char *referencesFile;     // References in Rule from a shipped file, or nullptr
    const char *preambleHeading;    // opening section heading, or nullptr
    const char *preamblePassages;
    const char *referenceRuleLines; // rule lines closing References in Rule, or SameRuleLines
    const char *guidanceTerm;       // highlight term of Additional Information
    const char *guidanceFile;       // Additional Information from a shipped file, or nullptr
};

const std::array<Recipe, 47> &table();

} // namespace Reference::Recipes
