#include "app/output/text_breaks.h"

namespace {

constexpr QChar kZeroWidthSpace(0x200B), kSoftHyphen(0x00AD);

bool isVowel(QChar c) {
  static const QString kVowels = QStringLiteral("аеёиоуыэюяaeiouy");
  return kVowels.contains(c.toLower());
}

// Letters that end the syllable before them.
bool staysBehind(QChar c) { return QStringLiteral("йьъ").contains(c.toLower()); }

bool hasVowel(const QString& word, qsizetype from, qsizetype to) {
  for (qsizetype i = from; i < to; ++i)
    if (isVowel(word[i])) return true;
  return false;
}

QString hyphenated(const QString& word) {
  constexpr qsizetype kShortestPart = 2;
  QString out;
  qsizetype last = 0;  // where the syllable being built began
  for (qsizetype i = kShortestPart; i + kShortestPart <= word.size(); ++i) {
    // A syllable starts with the consonant before a vowel: after a vowel, or after the rest of a
    // run of consonants.
    const bool startsSyllable = !isVowel(word[i]) && i + 1 < word.size() && isVowel(word[i + 1]);
    if (!startsSyllable || staysBehind(word[i])) continue;
    if (!hasVowel(word, last, i) || !hasVowel(word, i, word.size()) || i - last < kShortestPart) continue;
    out += word.mid(last, i - last) + kSoftHyphen;
    last = i;
  }
  return out + word.mid(last);
}

}  // namespace

QString withPathBreaks(const QString& text) {
  static const QString kSeparators = QStringLiteral("/\\_.-·:");
  QString out;
  out.reserve(text.size() + text.size() / 4);
  for (const QChar c : text) {
    out += c;
    if (kSeparators.contains(c)) out += kZeroWidthSpace;
  }
  return out;
}

QString withSyllableBreaks(const QString& text) {
  constexpr qsizetype kShortestHyphenated = 5;
  const QString paths = withPathBreaks(text);
  QString out;
  for (qsizetype i = 0; i < paths.size();) {
    if (!paths[i].isLetter()) {
      out += paths[i++];
      continue;
    }
    qsizetype end = i;
    while (end < paths.size() && paths[end].isLetter()) ++end;
    const QString word = paths.mid(i, end - i);
    out += word.size() >= kShortestHyphenated ? hyphenated(word) : word;
    i = end;
  }
  return out;
}
