#include "platform/terminal/code_page.h"

#include "platform/code_pages.h"

namespace tuikit::platform {

int CodePageByte(char32_t cp, UINT codePage)
{
    if (cp < 0x80) return static_cast<int>(cp);
    const CodePage *page = CodePage::Find(codePage);
    return page ? page->FromUnicode(cp) : -1;
}

}  // namespace tuikit::platform
