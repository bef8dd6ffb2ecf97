// Entry points: resolve the page, then hand the text to its converter family.
#include "platform/codepage.h"

#include "platform/codepage_internal.h"

namespace plat {

using namespace cpdetail;

namespace {

// The real page behind a pseudo page; 0 for an unknown page.
unsigned KnownPage(unsigned codePage) {
  switch (codePage) {
    case CP_ACP:
    case CP_THREAD_ACP:
      return kSystemCodePage;
    case CP_OEMCP:
      return 437;
    case CP_MACCP:
      return 10000;
    case CP_UTF8:
      return CP_UTF8;
    default:
      break;
  }
  if (FindSingleBytePage(codePage) >= 0 || FindMbcsLayout(codePage) || IsIso2022JpPage(codePage))
    return codePage;
  return 0;
}

}  // namespace

bool IsCodePageSupported(unsigned codePage) { return KnownPage(codePage) != 0; }

unsigned ResolveCodePage(unsigned codePage) {
  const unsigned page = KnownPage(codePage);
  return page ? page : kSystemCodePage;
}

char16_t DefaultWideChar(unsigned codePage) {
  const unsigned page = ResolveCodePage(codePage);
  if (page == CP_UTF8) return kReplacement;
  if (IsIso2022JpPage(page)) return 0x30FB;
  if (const MbcsLayout* layout = FindMbcsLayout(page)) return MbcsDefaultChar(*layout);
  return u'?';  // single-byte pages map every byte and never need it
}

void MultiByteToWideChar(unsigned codePage, std::string_view bytes, std::u16string& out) {
  const unsigned page = ResolveCodePage(codePage);
  if (page == CP_UTF8) return DecodeUtf8(bytes, out);
  if (const int sb = FindSingleBytePage(page); sb >= 0) return DecodeSingleByte(sb, bytes, out);
  if (const MbcsLayout* layout = FindMbcsLayout(page)) return DecodeMbcs(*layout, bytes, out);
  DecodeIso2022Jp(bytes, out);
}

std::u16string MultiByteToWideChar(unsigned codePage, std::string_view bytes) {
  std::u16string out;
  MultiByteToWideChar(codePage, bytes, out);
  return out;
}

void WideCharToMultiByte(unsigned codePage, std::u16string_view text, std::string& out) {
  const unsigned page = ResolveCodePage(codePage);
  if (page == CP_UTF8) return EncodeUtf8(text, out);
  if (const int sb = FindSingleBytePage(page); sb >= 0) return EncodeSingleByte(sb, text, out);
  if (const MbcsLayout* layout = FindMbcsLayout(page)) return EncodeMbcs(*layout, text, out);
  EncodeIso2022Jp(page, text, out);
}

std::string WideCharToMultiByte(unsigned codePage, std::u16string_view text) {
  std::string out;
  WideCharToMultiByte(codePage, text, out);
  return out;
}

size_t CharNextExA(unsigned codePage, std::string_view bytes, size_t pos) {
  if (pos >= bytes.size()) return bytes.size();
  const unsigned page = ResolveCodePage(codePage);
  if (page == CP_UTF8) return pos + Utf8SequenceLength(bytes, pos);
  if (const MbcsLayout* layout = FindMbcsLayout(page)) return pos + MbcsSequenceLength(*layout, bytes, pos);
  return pos + 1;
}

bool IsDBCSLeadByteEx(unsigned codePage, uint8_t byte) {
  const MbcsLayout* layout = FindMbcsLayout(ResolveCodePage(codePage));
  return layout && IsLeadByte(*layout, byte);
}

}  // namespace plat
