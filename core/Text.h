#pragma once

#include <QString>

// Text as the user sees it: whole characters and letter case.
namespace vb::text {

// The first |n| characters of |text| as the user sees them: a letter with its accents, an
// emoji or a flag counts as one and is never cut in half.
QString firstCharacters(const QString& text, int n);

// The key under which names compare ignoring letter case: the text in its composed form
// (an accent typed as a separate mark joins its letter), case-folded over the whole of
// Unicode, so that "CANTÙ" and "Cantù", "ÉLODIE" and "élodie" have the same key.
QString foldedKey(const QString& text);

} // namespace vb::text
