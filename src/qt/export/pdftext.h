#pragma once

#include <QByteArray>

namespace zm {

// Qt's PDF writer names each glyph's text by the first code the font maps to
// it. The Noto CJK fonts give a Kangxi radical and its ideograph one glyph, so
// 日 was named ⽇ (U+2F47): a search for 日付 found nothing, and a copied line
// was wrong. Names the ideograph instead, in place and at the same length,
// so that nothing else in the file moves. No text this program draws holds a
// radical: CP932 has none. True when anything was mended.
bool mendPdfText(QByteArray& pdf);

}  // namespace zm
