// OBJ2DListFromASCII: the reader of the line-object text format.
//
// The text is read byte by byte up to its terminating NUL and never beyond.
// Bytes count as signed 8-bit values, so 128..255 are blanks like the
// control characters. Tokens are single punctuation characters or runs up to
// the next separator, at most 255 characters; each token is acted on by the
// first rule that matches its first character or key word.
#include <cstdlib>
#include <cstring>

#include "list.h"
#include "obj2d.h"
#include "build_platform.h"
#include "wrap32.h"

namespace {

constexpr int kTokenLimit = 255;

// The Linux builds also take a leading part of a key word ("n" for name).
constexpr bool kKeyPrefixes = !kWindowsBuild;

bool IsBlank(unsigned char c) { return c <= 32 || c >= 127; }
bool IsSeparator(unsigned char c) { return IsBlank(c) || c == ',' || c == ';'; }
bool IsPunctuation(unsigned char c) {
  return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 126);
}
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
int HexDigit(unsigned char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
unsigned char Lower(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; }

// The token equals the key word, ignoring case, or (Linux) is a leading part of it.
bool MatchesKey(const char* token, int length, const char* key) {
  int keyLength = int(strlen(key));
  if (length > keyLength || (!kKeyPrefixes && length != keyLength)) return false;
  for (int i = 0; i < length; ++i)
    if (Lower(static_cast<unsigned char>(token[i])) != key[i]) return false;
  return true;
}

// Hexadecimal digits from the start of digits up to the first other character;
// higher digits shift out of the 32 bits.
uint32_t HexValue(const char* digits) {
  uint32_t value = 0;
  for (int d; *digits && (d = HexDigit(static_cast<unsigned char>(*digits))) >= 0; ++digits)
    value = (value << 4) | uint32_t(d);
  return value;
}

struct Parser {
  const unsigned char* text;
  size_t pos = 0;
  char token[kTokenLimit + 1] = {};
  int length = 0;
  int32_t sign = 1;
  uint32_t colour = 0;
  bool colourPending = false;
  int slot = 0;
  OBJ2D* object = nullptr;
  SEG2D* segment = nullptr;
  LIST* result = nullptr;
  bool failed = false;  // out of memory: the parse is abandoned

  unsigned char Current() const { return text[pos]; }
  bool AtEnd() const { return text[pos] == 0; }

  // Reads a token into token + at, with room for at most room characters: one
  // punctuation character, or the run up to the next separator. A run longer
  // than the room ends there, and the next token starts again with the last
  // character taken.
  int ReadInto(int at, int room) {
    unsigned char c = Current();
    if (IsPunctuation(c)) {
      token[at] = char(c);
      ++pos;
      return 1;
    }
    // c is no separator, so it is not the terminator and text[pos + 1] exists.
    int n = 0;
    for (;;) {
      token[at + n++] = char(c);
      unsigned char next = text[pos + 1];
      if (IsSeparator(next)) {
        ++pos;
        break;
      }
      if (n == room) break;
      c = next;
      ++pos;
    }
    return n;
  }

  // Skips separators and reads the next token; false at the end of the text.
  bool NextToken() {
    while (!AtEnd() && IsSeparator(Current())) ++pos;
    if (AtEnd()) return false;
    length = ReadInto(0, kTokenLimit);
    token[length] = 0;
    return true;
  }

  void SkipToLineEnd() {
    while (!AtEnd() && Current() != '\n') ++pos;
  }

  // The rest of the line from pos, without its line feed; null when empty.
  char* RestOfLine() {
    size_t start = pos;
    SkipToLineEnd();
    if (pos == start) return nullptr;
    char* value = static_cast<char*>(malloc(pos - start + 1));
    if (!value) return failed = true, nullptr;
    memcpy(value, text + start, pos - start);
    value[pos - start] = 0;
    return value;
  }

  // name skips only blanks (across line ends); the other keys skip separators.
  void ReadKeyValue(char* OBJ2D::*field, bool blanksOnly) {
    while (!AtEnd() && (blanksOnly ? IsBlank(Current()) : IsSeparator(Current()))) ++pos;
    if (!object) return SkipToLineEnd();  // the text's own value: discarded
    char* value = RestOfLine();
    if (!value) return;
    free(object->*field);
    object->*field = value;
  }

  void TakeHex(const char* digits) {
    uint32_t value = HexValue(digits);
    if (colourPending) colour = value, colourPending = false;
  }

  // "$" takes the characters that follow it directly as part of its token.
  void Dollar() {
    if (!IsBlank(Current())) length += ReadInto(1, kTokenLimit - 1);
    token[length] = 0;
    TakeHex(token + 1);
  }

  void Number() {
    uint32_t magnitude = 0;
    for (const char* d = token; IsDigit(static_cast<unsigned char>(*d)); ++d)
      magnitude = magnitude * 10 + uint32_t(*d - '0');
    int32_t value = sign < 0 ? Neg32(int32_t(magnitude)) : int32_t(magnitude);
    sign = 1;
    if (!segment) return;  // numbers outside a segment are dropped
    switch (slot) {
      case 0: segment->start->x = value; break;
      case 1: segment->start->y = value, segment->start->color = colour; break;
      case 2: segment->end->x = value; break;
      default: segment->end->y = value, segment->end->color = colour; break;
    }
    slot = (slot + 1) & 3;
    if (slot == 0) CompleteSegment();
  }

  void CompleteSegment() {
    int32_t before = object ? object->segments->count : 0;
    if (object) OBJ2DAddSegment(object, segment);
    if (!object || object->segments->count == before) {
      if (object) failed = true;  // an open object refused it: out of memory
      SEG2DFree(&segment);         // no open object: the segment is dropped
    }
    segment = nullptr;
  }

  void OpenBlock() {
    if (object) return;  // blocks do not nest: the open object continues
    object = OBJ2DNew();
    if (!object) failed = true;
  }

  // A closing brace without an open block still takes its place in the list
  // (as an empty object), so that entries stay positional.
  void CloseBlock() {
    OBJ2D* closed = object ? object : OBJ2DNew();
    object = nullptr;
    if (!closed) return void(failed = true);
    int32_t before = result->count;
    LISTPush(result, closed);
    if (result->count == before) {
      OBJ2DFreeTexts(closed);
      OBJ2DFree(&closed);
      failed = true;
    }
  }

  void OpenSegment() {
    if (segment) return;
    segment = SEG2DNew();
    if (!segment) failed = true;
  }

  void Interpret() {
    unsigned char first = static_cast<unsigned char>(token[0]);
    if (first == '#') return SkipToLineEnd();
    if (first == '{') return OpenBlock();
    if (first == '}') return CloseBlock();
    if (first == '=' || first == '"') return;
    if (first == '-') return void(sign = -1);
    if (first == '$') return Dollar();
    if (MatchesKey(token, length, "name")) return ReadKeyValue(&OBJ2D::name, true);
    if (MatchesKey(token, length, "version")) return ReadKeyValue(&OBJ2D::version, false);
    if (MatchesKey(token, length, "author")) return ReadKeyValue(&OBJ2D::author, false);
    if (MatchesKey(token, length, "type")) return ReadKeyValue(&OBJ2D::type, false);
    if (IsDigit(first)) return Number();
    if (first == 'x' || first == 'X' || first == 'h' || first == 'H') return TakeHex(token + 1);
    if (first == 'c' || first == 'C') return void(colourPending = true);
    if (first == 's' || first == 'S') return OpenSegment();
  }

  // Whatever is still open at the end (or when memory ran out) is released.
  void ReleaseOpen() {
    if (segment) SEG2DFree(&segment);
    if (object) {
      OBJ2DFreeTexts(object);
      OBJ2DFree(&object);
    }
  }
};

}  // namespace

LIST* OBJ2DListFromASCII(const char* text) {
  if (!text) return OBJ2DError(), nullptr;
  Parser parser;
  parser.text = reinterpret_cast<const unsigned char*>(text);
  parser.result = LISTNew();
  if (!parser.result) return OBJ2DError(), nullptr;
  while (!parser.failed && parser.NextToken()) parser.Interpret();
  parser.ReleaseOpen();
  if (parser.failed) {
    OBJ2DListFree(&parser.result);
    return OBJ2DError(), nullptr;
  }
  return parser.result;
}
