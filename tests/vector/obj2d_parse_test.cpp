// The line-object text reader on the edge cases of its format.
#include <gtest/gtest.h>

#include <string>

#include "list.h"
#include "obj2d.h"

namespace {

struct Parsed {
  LIST* list;
  explicit Parsed(const std::string& text) : list(OBJ2DListFromASCII(text.c_str())) {}
  ~Parsed() {
    if (list) OBJ2DListFree(&list);
  }
  int32_t Count() const { return list->count; }
  OBJ2D* At(int32_t i) const { return static_cast<OBJ2D*>(LISTGet(list, i)); }
  int32_t Segments(int32_t i) const { return At(i)->segments->count; }
  SEG2D* Seg(int32_t i, int32_t s) const { return static_cast<SEG2D*>(LISTGet(At(i)->segments, s)); }
};

void ExpectSegment(const SEG2D* s, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->start->x, x0);
  EXPECT_EQ(s->start->y, y0);
  EXPECT_EQ(s->end->x, x1);
  EXPECT_EQ(s->end->y, y1);
}

TEST(Obj2dParse, BlocksEmptyUnclosedAndNotNested) {
  Parsed empty("{ }");
  ASSERT_EQ(empty.Count(), 1);
  EXPECT_EQ(empty.At(0)->name, nullptr);
  EXPECT_EQ(empty.Segments(0), 0);

  Parsed nested("{ name A\n{\n}\n");
  ASSERT_EQ(nested.Count(), 1);
  EXPECT_STREQ(nested.At(0)->name, "A");

  EXPECT_EQ(Parsed("{ s 1 2 3 4").Count(), 0);  // never closed: released
  EXPECT_EQ(Parsed("# only a comment\ns 1 2 3 4\n").Count(), 0);
  Parsed last("{ s 1 2 3 4 }");  // no line feed after the closing brace
  ASSERT_EQ(last.Count(), 1);
  EXPECT_EQ(last.Segments(0), 1);
  EXPECT_EQ(OBJ2DListFromASCII(nullptr), nullptr);
}

TEST(Obj2dParse, StrayClosingBraceKeepsItsPlaceAsAnEmptyObject) {
  Parsed p("} { name B\n s 1 1 2 2 }");
  ASSERT_EQ(p.Count(), 2);
  ASSERT_NE(p.At(0), nullptr);
  EXPECT_EQ(p.Segments(0), 0);
  EXPECT_STREQ(p.At(1)->name, "B");
}

TEST(Obj2dParse, SegmentsCrossBlocksAndNumbersOutsideAreDropped) {
  Parsed p("{ s 1, 2 } { s 3, 4 }");
  ASSERT_EQ(p.Count(), 2);
  EXPECT_EQ(p.Segments(0), 0);
  ASSERT_EQ(p.Segments(1), 1);
  ExpectSegment(p.Seg(1, 0), 1, 2, 3, 4);

  Parsed dropped("{ 7 8 s 1;2;3;4 9 }");  // 7 8 before the segment, 9 after it
  ASSERT_EQ(dropped.Segments(0), 1);
  ExpectSegment(dropped.Seg(0, 0), 1, 2, 3, 4);

  Parsed outside("s 1 2 3 4 { s 5 6 7 8 }");  // completed with no open object: dropped
  ASSERT_EQ(outside.Count(), 1);
  ASSERT_EQ(outside.Segments(0), 1);
  ExpectSegment(outside.Seg(0, 0), 5, 6, 7, 8);

  Parsed wire("{ segment 8,0 8,9\nS 1 1 2 2 s1 3 3 4 4 }");  // s1 starts with s: a segment
  ASSERT_EQ(wire.Segments(0), 3);
  ExpectSegment(wire.Seg(0, 0), 8, 0, 8, 9);
  ExpectSegment(wire.Seg(0, 2), 3, 3, 4, 4);
}

TEST(Obj2dParse, PendingSign) {
  Parsed p("{ s - 5, 6, -7, 8 }");
  ExpectSegment(p.Seg(0, 0), -5, 6, -7, 8);
  Parsed across("{ s - x1 2 3 4 5 }");  // the sign waits across words that are not numbers
  ExpectSegment(across.Seg(0, 0), -2, 3, 4, 5);
  Parsed outside("{ - 9 s 1 2 3 4 }");  // a dropped number still takes the sign
  ExpectSegment(outside.Seg(0, 0), 1, 2, 3, 4);
}

uint32_t StartColour(const std::string& text) {
  Parsed p(text);
  return p.Seg(0, 0)->start->color;
}

TEST(Obj2dParse, ColoursAndHexadecimals) {
  EXPECT_EQ(StartColour("color 255 $ff { s 1 2 3 4 }"), 0x0000FFu);  // decimals do not end the wait
  Parsed blank("c $ff { s 1 2 3 color $ 00ff00 }");  // blank after $: value 0, then the decimal 0
  ExpectSegment(blank.Seg(0, 0), 1, 2, 3, 0);
  EXPECT_EQ(blank.Seg(0, 0)->start->color, 0xFFu);
  EXPECT_EQ(blank.Seg(0, 0)->end->color, 0u);
  EXPECT_EQ(StartColour("c x00abcd { s 1 2 3 4 }"), 0x00ABCDu);
  EXPECT_EQ(StartColour("COLOR H12 { s 1 2 3 4 }"), 0x12u);
  EXPECT_EQ(StartColour("color $123456789 { s 1 2 3 4 }"), 0x23456789u);  // high digits shift out
  EXPECT_EQ(StartColour("$ff color { s 1 2 3 4 }"), 0u);  // a value with no colour waiting is dropped
  EXPECT_EQ(StartColour("color $00ff00z99 { s 1 2 3 4 }"), 0x00FF00u);
  EXPECT_EQ(StartColour("color $10 c $,ff { s 1 2 3 4 }"), 0u);  // "$," holds no digits: 0

  // The colour applies to every later segment, across blocks, and the colour of
  // each end is the one current when its y is read.
  Parsed p("color $10 { s 1 2 } c $20 { 3 4 } { s 5 6 7 8 }");
  EXPECT_EQ(p.Seg(1, 0)->start->color, 0x10u);
  EXPECT_EQ(p.Seg(1, 0)->end->color, 0x20u);
  EXPECT_EQ(p.Seg(2, 0)->start->color, 0x20u);
}

TEST(Obj2dParse, KeysTakeTheRestOfTheLine) {
  Parsed p("name file\n{ name  apple 1 \r\n version = 2; type vector shape\n version=3\n}");
  ASSERT_EQ(p.Count(), 1);
  EXPECT_STREQ(p.At(0)->name, "apple 1 \r");  // a carriage return and trailing blanks stay
  EXPECT_STREQ(p.At(0)->version, "= 2; type vector shape");  // version=3 is one word, no key
  EXPECT_EQ(p.At(0)->type, nullptr);

  Parsed later("{ name\n\n  s 1, 2, 3, 4\n}");  // name crosses blank lines
  EXPECT_STREQ(later.At(0)->name, "s 1, 2, 3, 4");
  EXPECT_EQ(later.Segments(0), 0);

  Parsed high("{ name \xC8\ns 1 2 3 4\n}");  // a byte above 127 is a blank
  EXPECT_STREQ(high.At(0)->name, "s 1 2 3 4");

  Parsed commas("{ author ,; Some One\nname ;x\n}");  // author skips separators, name only blanks
  EXPECT_STREQ(commas.At(0)->author, "Some One");
  EXPECT_STREQ(commas.At(0)->name, ";x");

  Parsed replaced("{ name a\nNAME b\nName c\n}");  // any case; the last one wins
  EXPECT_STREQ(replaced.At(0)->name, "c");

  Parsed atEnd("{ name");  // empty rest at the end of the text: no value, and no block
  EXPECT_EQ(atEnd.Count(), 0);
  Parsed longer("{ names 1 2 }");  // longer than the key: not a key
  EXPECT_EQ(longer.At(0)->name, nullptr);
}

#if !defined(_WIN32)
TEST(Obj2dParse, LeadingPartsOfKeysOnLinux) {
  Parsed p("{ a s 1 2 3 4\nauth me\nv 2\nt x\nn s 5 6 7 8\ns 1 2 3 4 }");
  ASSERT_EQ(p.Count(), 1);
  EXPECT_STREQ(p.At(0)->author, "me");
  EXPECT_STREQ(p.At(0)->version, "2");
  EXPECT_STREQ(p.At(0)->type, "x");
  EXPECT_STREQ(p.At(0)->name, "s 5 6 7 8");
  ASSERT_EQ(p.Segments(0), 1);
  ExpectSegment(p.Seg(0, 0), 1, 2, 3, 4);
}
#endif

TEST(Obj2dParse, CommentsQuotesAndPunctuationTokens) {
  Parsed p("# { not a block\n{ \"q\" = s 1 2 # 3 4\n 5 6 }");
  ASSERT_EQ(p.Count(), 1);
  ExpectSegment(p.Seg(0, 0), 1, 2, 5, 6);
  EXPECT_EQ(Parsed("{}").Count(), 1);  // a leading punctuation character is a token of its own
  EXPECT_EQ(Parsed("{s}").Count(), 0);  // inside a run it is not: "s}" never closes the block
  Parsed run("{name=x s 1 2 3 4}");  // "name=x" is one word, no key; "4}" reads as 4
  ASSERT_EQ(run.Count(), 0);
}

TEST(Obj2dParse, LongRunsSplitAfter255AndRestartWithTheLastCharacter) {
  // 254 letters, then "5x": the first token ends with that 5, and the next token
  // begins again with it, so the 5 is also read as a number.
  Parsed p("{ s " + std::string(254, 'q') + "5x 6 7 8 }");
  ASSERT_EQ(p.Segments(0), 1);
  ExpectSegment(p.Seg(0, 0), 5, 6, 7, 8);

  Parsed exact("{ s " + std::string(254, 'q') + "5 6 7 8 9 }");  // exactly 255: no split
  ExpectSegment(exact.Seg(0, 0), 6, 7, 8, 9);

  // After "$" the run has room for 254 more: "$" + 254 digits, and the last digit again.
  Parsed dollar("{ s 1 c $" + std::string(253, '0') + "7" + "9 2 3 }");
  ExpectSegment(dollar.Seg(0, 0), 1, 79, 2, 3);  // "79": the 7 once more, then the 9
  EXPECT_EQ(dollar.Seg(0, 0)->start->color, 0x7u);

  std::string digits = "{ s " + std::string(300, '1') + " 2 3 4 }";  // long numbers wrap, never fail
  Parsed r(digits);
  EXPECT_EQ(r.Segments(0), 1);
}

TEST(Obj2dParse, BuildsPointsAndFarthestLikeAddSegment) {
  Parsed p("{ s 1 1 2 2 s 9 9 0 0 s 3 0 4 0 }");
  OBJ2D* o = p.At(0);
  EXPECT_EQ(o->points->count, 6);
  EXPECT_EQ(LISTGet(o->points, 2), p.Seg(0, 1)->start);  // the segments' own end points
  EXPECT_EQ(o->farthest, 5);  // only end points count when adding: (2, 2), (0, 0), (4, 0)
  OBJ2DFindFarthest(o);
  EXPECT_EQ(o->farthest, 2);  // (9, 9)
}

}  // namespace
