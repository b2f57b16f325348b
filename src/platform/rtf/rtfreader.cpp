#include "platform/rtf/rtfreader.h"

#include "platform/records/twips.h"
#include "platform/records/windows1252.h"

#include <QTextDocument>

#include <algorithm>

namespace Rtf::Internal {

namespace {

constexpr int MaxTwips = 31680; // 22 inches: beyond any page
constexpr int MaxHalfPoints = 3276;
constexpr int MaxListLevels = 9;
constexpr int MaxNumberAffix = 16;

QTextListFormat::Style styleForNumberFormat(int numberFormat, QStringView levelText)
{
    switch (numberFormat) {
    case 1:
        return QTextListFormat::ListUpperRoman;
    case 2:
        return QTextListFormat::ListLowerRoman;
    case 3:
        return QTextListFormat::ListUpperAlpha;
    case 4:
        return QTextListFormat::ListLowerAlpha;
    case 23: {
        const char16_t bullet = levelText.isEmpty() ? u'\x2022' : levelText.front().unicode();
        switch (bullet) {
        case u'o':
        case 0x25E6:
        case 0x25CB:
        case 0xF06F:
            return QTextListFormat::ListCircle;
        case 0x25AA:
        case 0x25A0:
        case 0x00A7:
        case 0xF0A7:
        case 0xF06E:
            return QTextListFormat::ListSquare;
        default:
            return QTextListFormat::ListDisc;
        }
    }
    case 255:
        return QTextListFormat::ListStyleUndefined;
    default:
        return QTextListFormat::ListDecimal;
    }
}

// Text around a list number: printable characters only, and short.
QString numberAffix(QStringView text)
{
    QString affix;
    for (const QChar ch : text) {
        if (affix.size() == MaxNumberAffix)
            break;
        if (sanitized(ch.unicode()) > u'\t' && ch.unicode() != 0x2028)
            affix.append(ch);
    }
    return affix;
}

// Tokens that continue a run of text bytes: a double-byte character may be
// split over two \'hh, or a \'hh and a literal byte.
bool continuesBytes(const Token &token)
{
    switch (token.kind) {
    case Token::HexByte:
    case Token::Text:
        return true;
    case Token::ControlSymbol:
        return token.symbol == '\\' || token.symbol == '{' || token.symbol == '}';
    default:
        return false;
    }
}

} // namespace

// Characters that would break the document's structure are dropped: control
// characters, the object placeholder and the noncharacters the text
// document uses to mark frames; a paragraph separator becomes a line break.
// The noncharacters U+FFFE and U+FFFF are text a user may have pasted and
// saved: they are kept, so a save and a load give back what was there.
char16_t sanitized(char16_t unit)
{
    if (unit == u'\t' || unit == 0x2028)
        return unit;
    if (unit < 0x20 || (unit >= 0x7F && unit < 0xA0))
        return 0;
    if (unit == 0x2029)
        return 0x2028;
    if (unit == 0xFFFC || (unit >= 0xFDD0 && unit <= 0xFDEF))
        return 0;
    return unit;
}

Reader::Reader(QTextDocument *document)
    : m_builder(document)
    , m_document(document)
{
    m_states.reserve(MaxGroupDepth + 2);
}

void Reader::read(QByteArrayView rtf)
{
    const qsizetype start = rtf.indexOf('{');
    if (start < 0)
        return;
    Tokenizer tokenizer(rtf.sliced(start));
    m_states.assign(1, GroupState{});

    bool reading = true;
    while (reading) {
        const Token token = tokenizer.next();
        if (!m_pendingBytes.isEmpty() && !continuesBytes(token))
            flushBytes();
        switch (token.kind) {
        case Token::End:
            reading = false;
            break;
        case Token::GroupOpen:
            openGroup();
            break;
        case Token::GroupClose:
            reading = closeGroup();
            break;
        case Token::ControlWord:
            handleControlWord(token);
            break;
        case Token::ControlSymbol:
            handleControlSymbol(token.symbol);
            break;
        case Token::HexByte:
            if (m_skipCount > 0) {
                --m_skipCount;
            } else {
                GroupState &s = state();
                if (s.pairMemberUndecided || s.starred)
                    s.dest = Destination::Skip;
                if (s.dest == Destination::LevelText && token.byte < 0x20)
                    appendUnit(token.byte); // the length and the level placeholders are raw values
                else
                    takeByte(token.byte);
            }
            break;
        case Token::Text:
            handleText(token.text);
            break;
        case Token::Binary:
            m_skipCount = std::max(0, m_skipCount - 1);
            break;
        }
    }

    if (!m_pendingBytes.isEmpty())
        flushBytes();
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        appendCharacter(0xFFFD);
    }
    if (state().dest == Destination::Text)
        ensureRunFormat();
    m_builder.finish(paragraphLayout(state().para));
}

void Reader::openGroup()
{
    m_skipCount = 0;
    if (int(m_states.size()) > MaxGroupDepth) {
        // Deeper groups are flattened into the deepest one kept.
        ++m_flattenedDepth;
        return;
    }
    GroupState child = m_states.back();
    child.pairMemberUndecided = child.unicodePair;
    child.unicodePair = false;
    child.starred = false;
    m_states.push_back(child);
}

bool Reader::closeGroup()
{
    m_skipCount = 0;
    if (m_flattenedDepth > 0) {
        --m_flattenedDepth;
        return true;
    }
    if (m_states.size() <= 2)
        return m_states.size() < 2; // the document's outermost group ends the document
    const GroupState closing = m_states.back();
    m_states.pop_back();
    finishGroup(closing, m_states.back());
    return true;
}

void Reader::finishGroup(const GroupState &closing, GroupState &parent)
{
    if (closing.dest == Destination::FontTable) {
        commitFont();
        return;
    }
    if (closing.dest == parent.dest)
        return; // only the group that started a destination completes it
    switch (closing.dest) {
    case Destination::LevelText:
        m_currentLevel.text = m_collectedText;
        break;
    case Destination::ListLevel:
        m_currentLevel.leftIndent = closing.para.leftIndent;
        if (m_currentList.levels.size() < MaxListLevels)
            m_currentList.levels.append(m_currentLevel);
        break;
    case Destination::List:
        if (m_listsById.size() < MaxTableEntries)
            m_listsById.insert(m_currentListId, m_currentList);
        break;
    case Destination::ListOverride:
        if (m_listIdByOverride.size() < MaxTableEntries)
            m_listIdByOverride.insert(closing.para.listOverride, m_currentListId);
        break;
    case Destination::Numbering:
        parent.para.numbering = closing.para.numbering;
        break;
    case Destination::NumberingTextBefore:
        parent.para.numbering.before = m_collectedText;
        break;
    case Destination::NumberingTextAfter:
        parent.para.numbering.after = m_collectedText;
        break;
    default:
        break;
    }
}

void Reader::commitFont()
{
    QString name = m_fontName;
    m_fontName.clear();
    name.removeIf([](QChar ch) { return sanitized(ch.unicode()) <= u'\t' || ch == QLatin1Char(';'); });
    name = name.trimmed();
    if (name.isEmpty() || m_fonts.size() >= MaxTableEntries)
        return;
    m_fonts.insert(m_fontNumber, name);
    m_fontCodePages.insert(m_fontNumber, m_fontCodePage);
    m_codePageValid = false;
    forgetCharFormats();
}

void Reader::handleControlWord(const Token &token)
{
    GroupState &s = state();
    if (s.dest == Destination::Skip)
        return;
    const WordInfo info = lookupWord(token.name);
    if (s.pairMemberUndecided) {
        s.pairMemberUndecided = false;
        if (info.word != Word::UnicodePairUnicode) {
            s.dest = Destination::Skip;
            return;
        }
    }
    if (s.starred) {
        s.starred = false;
        if (info.kind != WordKind::Destination) {
            s.dest = Destination::Skip;
            return;
        }
    }
    if (m_skipCount > 0 && info.kind != WordKind::Destination) {
        --m_skipCount; // part of the fallback after \u
        return;
    }
    if (s.dest == Destination::EmbeddedObject && info.kind != WordKind::Destination)
        return;

    const bool on = !token.hasParameter || token.parameter != 0;
    switch (info.kind) {
    case WordKind::Unknown:
        return;
    case WordKind::Destination:
        handleDestination(info.word);
        return;
    case WordKind::Symbol:
        handleSymbol(info.word);
        return;
    case WordKind::Value:
        handleValue(info.word, token);
        return;
    case WordKind::Toggle:
    case WordKind::Flag:
        break;
    }

    CharState &chr = s.chr;
    ParaState &para = s.para;
    switch (info.word) {
    case Word::Bold: chr.bold = on; break;
    case Word::Italic: chr.italic = on; break;
    case Word::Underline: chr.underline = on; break;
    case Word::UnderlineNone: chr.underline = false; break;
    case Word::Strike: chr.strike = on; break;
    case Word::Hidden: chr.hidden = on; break;
    case Word::Superscript: chr.verticalAlignment = 1; break;
    case Word::Subscript: chr.verticalAlignment = -1; break;
    case Word::NoSuperSub: chr.verticalAlignment = 0; break;
    case Word::Plain: chr = CharState{}; break;
    case Word::ParagraphDefault: para = ParaState{}; break;
    case Word::AlignLeft: para.alignment = 0; break;
    case Word::AlignRight: para.alignment = 1; break;
    case Word::AlignCenter: para.alignment = 2; break;
    case Word::AlignJustify: para.alignment = 3; break;
    case Word::InTable: para.inTable = true; break;
    case Word::RowDefaults:
        m_row = RowDefinition{};
        m_builder.setRowDefinition(m_row);
        break;
    case Word::CellBorder:
        m_row.borders = true;
        m_builder.setRowDefinition(m_row);
        break;
    case Word::PnBullet:
        para.numbering.style = QTextListFormat::ListDisc;
        para.numbering.level = 0;
        break;
    case Word::PnBody:
        para.numbering.style = QTextListFormat::ListDecimal;
        para.numbering.level = 0;
        break;
    case Word::PnContinue: para.numbering.style = QTextListFormat::ListStyleUndefined; break;
    case Word::PnDecimal: para.numbering.style = QTextListFormat::ListDecimal; break;
    case Word::PnUpperLetter: para.numbering.style = QTextListFormat::ListUpperAlpha; break;
    case Word::PnLowerLetter: para.numbering.style = QTextListFormat::ListLowerAlpha; break;
    case Word::PnUpperRoman: para.numbering.style = QTextListFormat::ListUpperRoman; break;
    case Word::PnLowerRoman: para.numbering.style = QTextListFormat::ListLowerRoman; break;
    case Word::CharsetAnsi: m_documentCodePage = WesternCodePage; m_codePageValid = false; break;
    case Word::CharsetMac: m_documentCodePage = 10000; m_codePageValid = false; break;
    case Word::CharsetPc: m_documentCodePage = 437; m_codePageValid = false; break;
    case Word::CharsetPca: m_documentCodePage = 850; m_codePageValid = false; break;
    default: break;
    }
}

void Reader::handleDestination(Word word)
{
    GroupState &s = state();
    if (s.dest == Destination::EmbeddedObject) {
        if (word == Word::ObjectResult || word == Word::ShapeResult)
            s.dest = Destination::Text;
        else if (word == Word::SkippedDestination)
            s.dest = Destination::Skip;
        return;
    }
    const auto within = [&](Destination parent, Destination child) {
        s.dest = s.dest == parent ? child : Destination::Skip;
    };
    switch (word) {
    case Word::FontTable:
        s.dest = Destination::FontTable;
        m_fontName.clear();
        break;
    case Word::ColorTable:
        s.dest = Destination::ColorTable;
        m_colors.clear();
        forgetCharFormats();
        m_red = m_green = m_blue = -1;
        break;
    case Word::ListTable: s.dest = Destination::ListTable; break;
    case Word::List:
        within(Destination::ListTable, Destination::List);
        m_currentList = ListDefinition{};
        m_currentListId = 0;
        break;
    case Word::ListLevel:
        within(Destination::List, Destination::ListLevel);
        m_currentLevel = ListLevelDefinition{};
        s.para = ParaState{};
        break;
    case Word::LevelText:
        within(Destination::ListLevel, Destination::LevelText);
        m_collectedText.clear();
        break;
    case Word::ListOverrideTable: s.dest = Destination::ListOverrideTable; break;
    case Word::ListOverride:
        within(Destination::ListOverrideTable, Destination::ListOverride);
        m_currentListId = 0;
        s.para.listOverride = 0;
        break;
    case Word::Pn:
        within(Destination::Text, Destination::Numbering);
        s.para.numbering = OldStyleNumbering{};
        break;
    case Word::PnTextBefore:
        within(Destination::Numbering, Destination::NumberingTextBefore);
        m_collectedText.clear();
        break;
    case Word::PnTextAfter:
        within(Destination::Numbering, Destination::NumberingTextAfter);
        m_collectedText.clear();
        break;
    case Word::Object:
    case Word::Shape:
        s.dest = s.dest == Destination::Text ? Destination::EmbeddedObject : Destination::Skip;
        break;
    case Word::UnicodePair: s.unicodePair = true; break;
    case Word::FieldInstruction:
    case Word::SkippedDestination:
        s.dest = Destination::Skip;
        break;
    default: // \rtf, \field, \fldrslt, \result, \shprslt, \ud: their text is read in place
        break;
    }
}

void Reader::handleValue(Word word, const Token &token)
{
    GroupState &s = state();
    const int value = token.hasParameter ? token.parameter : 0;
    const int twips = std::clamp(value, -MaxTwips, MaxTwips);
    switch (word) {
    case Word::FontNumber:
        if (s.dest == Destination::FontTable) {
            commitFont();
            m_fontNumber = value;
            m_fontCodePage = 0;
        }
        s.chr.font = std::max(0, value);
        break;
    case Word::FontSize: s.chr.halfPoints = value <= 0 ? 24 : std::min(value, MaxHalfPoints); break;
    case Word::ForegroundColor: s.chr.foreground = std::max(0, value); break;
    case Word::HighlightColor: s.chr.background = std::max(0, value); break;
    case Word::DefaultFont:
        m_defaultFont = value;
        m_codePageValid = false;
        forgetCharFormats();
        break;
    case Word::FontCharset:
        if (s.dest == Destination::FontTable)
            m_fontCodePage = codePageForCharset(value);
        break;
    case Word::FontCodePage:
        if (s.dest == Destination::FontTable)
            m_fontCodePage = std::max(0, value);
        break;
    case Word::AnsiCodePage:
        m_documentCodePage = value > 0 ? value : WesternCodePage;
        m_codePageValid = false;
        break;
    case Word::LeftIndent: s.para.leftIndent = twips; break;
    case Word::RightIndent: s.para.rightIndent = twips; break;
    case Word::FirstLineIndent: s.para.firstLineIndent = twips; break;
    case Word::SpaceBefore: s.para.spaceBefore = std::max(0, twips); break;
    case Word::SpaceAfter: s.para.spaceAfter = std::max(0, twips); break;
    case Word::LineSpacing: s.para.lineSpacing = twips; break;
    case Word::LineSpacingMultiple: s.para.lineSpacingMultiple = value != 0; break;
    case Word::ListOverrideIndex: s.para.listOverride = std::max(0, value); break;
    case Word::ListLevelIndex: s.para.listLevel = std::clamp(value, 0, MaxListLevels - 1); break;
    case Word::PnLevel:
        s.para.numbering.level = std::clamp(value - 1, 0, MaxListLevels - 1);
        if (s.para.numbering.style == QTextListFormat::ListStyleUndefined)
            s.para.numbering.style = QTextListFormat::ListDecimal;
        break;
    case Word::ListId: m_currentListId = value; break;
    case Word::LevelNumberFormat: m_currentLevel.numberFormat = value; break;
    case Word::LevelStartAt: m_currentLevel.startAt = value; break;
    case Word::CellBoundary:
        if (m_row.boundaries.size() < DocumentBuilder::MaxColumns) {
            m_row.boundaries.append(std::clamp(value, 0, DocumentBuilder::MaxColumns * MaxTwips));
            m_builder.setRowDefinition(m_row);
        }
        break;
    case Word::Red: m_red = std::clamp(value, 0, 255); break;
    case Word::Green: m_green = std::clamp(value, 0, 255); break;
    case Word::Blue: m_blue = std::clamp(value, 0, 255); break;
    case Word::UnicodeSkip: s.unicodeSkip = std::clamp(value, 0, 16); break;
    case Word::Unicode: {
        // Outside the 16-bit range the value names no character: nothing is
        // added, and the fallback is skipped all the same.
        if (value >= -32768 && value <= 0xFFFF)
            appendUnit(char16_t(value < 0 ? value + 65536 : value));
        m_skipCount = s.unicodeSkip;
        break;
    }
    default:
        break;
    }
}

void Reader::handleSymbol(Word word)
{
    GroupState &s = state();
    switch (word) {
    case Word::Paragraph:
    case Word::Section:
    case Word::NestedRow:
        if (s.dest == Destination::Text)
            endParagraph();
        return;
    case Word::Page:
        if (s.dest != Destination::Text)
            return;
        if (m_builder.paragraphHasText())
            endParagraph();
        m_builder.breakPageBeforeNextParagraph();
        return;
    case Word::Cell:
        if (s.dest == Destination::Text && s.para.inTable)
            endCell();
        else
            appendCharacter(u'\t');
        return;
    case Word::Row:
        if (s.dest != Destination::Text)
            return;
        if (m_builder.inTable()) {
            if (m_builder.paragraphStarted())
                endCell();
            m_builder.endRow();
        } else {
            endParagraph();
        }
        return;
    case Word::NestedCell:
    case Word::Tab: appendCharacter(u'\t'); return;
    case Word::Line: appendCharacter(0x2028); return;
    case Word::EmDash: appendCharacter(0x2014); return;
    case Word::EnDash: appendCharacter(0x2013); return;
    case Word::Bullet: appendCharacter(0x2022); return;
    case Word::LeftQuote: appendCharacter(0x2018); return;
    case Word::RightQuote: appendCharacter(0x2019); return;
    case Word::LeftDoubleQuote: appendCharacter(0x201C); return;
    case Word::RightDoubleQuote: appendCharacter(0x201D); return;
    case Word::EmSpace: appendCharacter(0x2003); return;
    case Word::EnSpace: appendCharacter(0x2002); return;
    case Word::QuarterEmSpace: appendCharacter(0x2005); return;
    case Word::ZeroWidthJoiner: appendCharacter(0x200D); return;
    case Word::ZeroWidthNonJoiner: appendCharacter(0x200C); return;
    default: return;
    }
}

void Reader::handleControlSymbol(char symbol)
{
    GroupState &s = state();
    if (s.dest == Destination::Skip)
        return;
    if (symbol == '*') {
        s.starred = true;
        return;
    }
    if (m_skipCount > 0) {
        --m_skipCount;
        return;
    }
    switch (symbol) {
    case '~': appendCharacter(0x00A0); break;
    case '-': appendCharacter(0x00AD); break;
    case '_': appendCharacter(0x2011); break;
    case '{':
    case '}':
    case '\\':
        takeByte(static_cast<unsigned char>(symbol));
        break;
    case '\t': appendCharacter(u'\t'); break;
    default: break;
    }
}


// Formats are resolved through the font and colour tables, so a change to
// either makes the cached ones stale.
void Reader::forgetCharFormats()
{
    m_charFormats.clear();
    m_runStateValid = false;
}

void Reader::endParagraph()
{
    ensureRunFormat();
    m_builder.endParagraph(paragraphLayout(state().para));
}

void Reader::endCell()
{
    ensureRunFormat();
    m_builder.endCell(paragraphLayout(state().para));
}

QTextCharFormat Reader::charFormat(const CharState &chr) const
{
    QTextCharFormat format;
    auto font = m_fonts.constFind(chr.font < 0 ? m_defaultFont : chr.font);
    if (font == m_fonts.cend())
        font = m_fonts.constFind(m_defaultFont);
    if (font != m_fonts.cend())
        format.setFontFamilies({*font});
    format.setFontPointSize(chr.halfPoints / 2.0);
    if (chr.bold)
        format.setFontWeight(QFont::Bold);
    if (chr.italic)
        format.setFontItalic(true);
    if (chr.underline)
        format.setFontUnderline(true);
    if (chr.strike)
        format.setFontStrikeOut(true);
    if (chr.verticalAlignment != 0)
        format.setVerticalAlignment(chr.verticalAlignment > 0 ? QTextCharFormat::AlignSuperScript
                                                              : QTextCharFormat::AlignSubScript);
    if (chr.foreground > 0 && chr.foreground < m_colors.size() && m_colors.at(chr.foreground).isValid())
        format.setForeground(m_colors.at(chr.foreground));
    if (chr.background > 0 && chr.background < m_colors.size() && m_colors.at(chr.background).isValid())
        format.setBackground(m_colors.at(chr.background));
    return format;
}

ListMembership Reader::listMembership(const ParaState &para) const
{
    ListMembership list;
    if (para.listOverride > 0) {
        list.key = quint64(para.listOverride);
        list.level = para.listLevel;
        list.style = QTextListFormat::ListDisc;
        const auto listId = m_listIdByOverride.constFind(para.listOverride);
        const auto definition = listId == m_listIdByOverride.cend() ? m_listsById.cend() : m_listsById.constFind(*listId);
        if (definition != m_listsById.cend() && list.level < definition->levels.size()) {
            const ListLevelDefinition &level = definition->levels.at(list.level);
            // The level text starts with its length; codes 0-8 stand for level numbers.
            QStringView text(level.text);
            if (!text.isEmpty())
                text = text.sliced(1, std::min<qsizetype>(text.front().unicode(), text.size() - 1));
            list.style = styleForNumberFormat(level.numberFormat, text);
            qsizetype firstCode = -1, lastCode = -1;
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text[i].unicode() < MaxListLevels) {
                    if (firstCode < 0)
                        firstCode = i;
                    lastCode = i;
                }
            }
            if (firstCode >= 0) {
                list.prefix = numberAffix(text.first(firstCode));
                list.suffix = numberAffix(text.sliced(lastCode + 1));
            }
        }
        return list;
    }
    const OldStyleNumbering &numbering = para.numbering;
    if (numbering.style == QTextListFormat::ListStyleUndefined)
        return list;
    list.style = numbering.style;
    list.level = numbering.level;
    list.prefix = numberAffix(numbering.before);
    list.suffix = numberAffix(numbering.after);
    list.key = quint64(-int(numbering.style)) << 8 | quint64(numbering.level);
    list.endsAtOtherParagraph = true;
    return list;
}

ParagraphLayout Reader::paragraphLayout(const ParaState &para) const
{
    ParagraphLayout layout;
    layout.inTable = para.inTable;
    layout.list = listMembership(para);
    QTextBlockFormat &block = layout.block;
    switch (para.alignment) {
    case 1: block.setAlignment(Qt::AlignRight); break;
    case 2: block.setAlignment(Qt::AlignHCenter); break;
    case 3: block.setAlignment(Qt::AlignJustify); break;
    default: break;
    }
    qreal left = Twips::toPixelsF(para.leftIndent);
    if (layout.list.isList()) {
        // The list's own indent supplies the first levels of the margin.
        left = std::max<qreal>(0, left - (layout.list.level + 1) * m_document->indentWidth());
    } else if (para.firstLineIndent != 0) {
        block.setTextIndent(Twips::toPixelsF(para.firstLineIndent));
    }
    if (left != 0)
        block.setLeftMargin(left);
    if (para.rightIndent != 0)
        block.setRightMargin(Twips::toPixelsF(para.rightIndent));
    if (para.spaceBefore != 0)
        block.setTopMargin(Twips::toPixelsF(para.spaceBefore));
    if (para.spaceAfter != 0)
        block.setBottomMargin(Twips::toPixelsF(para.spaceAfter));
    if (para.lineSpacing != 0) {
        if (para.lineSpacingMultiple) {
            if (para.lineSpacing != 240 && para.lineSpacing > 0)
                block.setLineHeight(para.lineSpacing / 2.4, QTextBlockFormat::ProportionalHeight);
        } else if (para.lineSpacing > 0) {
            block.setLineHeight(Twips::toPixelsF(para.lineSpacing), QTextBlockFormat::MinimumHeight);
        } else {
            block.setLineHeight(Twips::toPixelsF(-para.lineSpacing), QTextBlockFormat::FixedHeight);
        }
    }
    return layout;
}

} // namespace Rtf::Internal
