// The line-object text reader on the edge cases of its format.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "build_platform.h"
#include "list.h"
#include "obj2d.h"

namespace {

// A parse as one line: each object in braces with its texts ("name:...|") and
// its segments "x0,y0,x1,y1", followed by "#start#end" colours when either is set.
std::string Parse(const std::string& text) {
  LIST* list = OBJ2DListFromASCII(text.c_str());
  if (!list) return "null";
  std::string out;
  for (int32_t i = 0; i < list->count; ++i) {
    const OBJ2D* o = static_cast<OBJ2D*>(LISTGet(list, i));
    out += "{";
    const std::pair<const char*, const char*> texts[] = {
        {"name:", o->name}, {"version:", o->version}, {"author:", o->author}, {"type:", o->type}};
    for (const auto& t : texts)
      if (t.second) out += t.first + std::string(t.second) + "|";
    for (int32_t k = 0; k < o->segments->count; ++k) {
      const SEG2D* s = static_cast<SEG2D*>(LISTGet(o->segments, k));
      char segment[100];
      snprintf(segment, sizeof segment, "%s%d,%d,%d,%d", k ? " " : "", int(s->start->x), int(s->start->y),
               int(s->end->x), int(s->end->y));
      out += segment;
      if (s->start->color || s->end->color)
        out += "#" + std::to_string(s->start->color) + "#" + std::to_string(s->end->color);
    }
    out += "}";
  }
  OBJ2DListFree(&list);
  return out;
}

TEST(Obj2dParse, TokensCommentsBlocksAndKeyWords) {
  const std::string q254(254, 'q');
  const struct {
    std::string text, parsed;
  } cases[] = {
      // Blocks: empty, never nested, released when never closed; a stray closing
      // brace keeps its place as an empty object.
      {"{ }", "{}"},
      {"{ name A\n{\n}\n", "{name:A|}"},
      {"{ s 1 2 3 4", ""},
      {"# only a comment\ns 1 2 3 4\n", ""},
      {"{ s 1 2 3 4 }", "{1,2,3,4}"},
      {"} { name B\n s 1 1 2 2 }", "{}{name:B|1,1,2,2}"},
      // Segments run on across blocks; numbers outside one are dropped.
      {"{ s 1, 2 } { s 3, 4 }", "{}{1,2,3,4}"},
      {"{ 7 8 s 1;2;3;4 9 }", "{1,2,3,4}"},
      {"s 1 2 3 4 { s 5 6 7 8 }", "{5,6,7,8}"},
      {"{ segment 8,0 8,9\nS 1 1 2 2 s1 3 3 4 4 }", "{8,0,8,9 1,1,2,2 3,3,4,4}"},
      // A sign waits across words that are not numbers and goes to the next number.
      {"{ s - 5, 6, -7, 8 }", "{-5,6,-7,8}"},
      {"{ s - x1 2 3 4 5 }", "{-2,3,4,5}"},
      {"{ - 9 s 1 2 3 4 }", "{1,2,3,4}"},
      // Colours: a colour word waits for a hexadecimal value; each end takes the
      // colour current when its y is read.
      {"color 255 $ff { s 1 2 3 4 }", "{1,2,3,4#255#255}"},
      {"c $ff { s 1 2 3 color $ 00ff00 }", "{1,2,3,0#255#0}"},  // blank after $: value 0
      {"c x00abcd { s 1 2 3 4 }", "{1,2,3,4#43981#43981}"},
      {"COLOR H12 { s 1 2 3 4 }", "{1,2,3,4#18#18}"},
      {"color $123456789 { s 1 2 3 4 }", "{1,2,3,4#591751049#591751049}"},  // high digits shift out
      {"$ff color { s 1 2 3 4 }", "{1,2,3,4}"},
      {"color $00ff00z99 { s 1 2 3 4 }", "{1,2,3,4#65280#65280}"},
      {"color $10 c $,ff { s 1 2 3 4 }", "{1,2,3,4}"},
      {"color $10 { s 1 2 } c $20 { 3 4 } { s 5 6 7 8 }", "{}{1,2,3,4#16#32}{5,6,7,8#32#32}"},
      // Key words take the rest of the line: name skips blanks across lines, the
      // others separators; any case, the last one wins; bytes above 127 are blanks.
      {"name file\n{ name  apple 1 \r\n version = 2; type vector shape\n version=3\n}",
       "{name:apple 1 \r|version:= 2; type vector shape|}"},
      {"{ name\n\n  s 1, 2, 3, 4\n}", "{name:s 1, 2, 3, 4|}"},
      {"{ name \xC8\ns 1 2 3 4\n}", "{name:s 1 2 3 4|}"},
      {"{ author ,; Some One\nname ;x\n}", "{name:;x|author:Some One|}"},
      {"{ name a\nNAME b\nName c\n}", "{name:c|}"},
      {"{ name", ""},
      {"{ names 1 2 }", "{}"},
      // The Linux builds also take a leading part of a key word.
      {"{ a s 1 2 3 4\nauth me\nv 2\nt x\nn s 5 6 7 8\ns 1 2 3 4 }",
       kWindowsBuild ? "{1,2,3,4 5,6,7,8 1,2,3,4}" : "{name:s 5 6 7 8|version:2|author:me|type:x|1,2,3,4}"},
      // Punctuation is a token of its own only where a token starts.
      {"# { not a block\n{ \"q\" = s 1 2 # 3 4\n 5 6 }", "{1,2,5,6}"},
      {"{}", "{}"},
      {"{s}", ""},
      {"{name=x s 1 2 3 4}", ""},
      // Runs split after 255 characters and start again with the last one taken.
      {"{ s " + q254 + "5x 6 7 8 }", "{5,6,7,8}"},
      {"{ s " + q254 + "5 6 7 8 9 }", "{6,7,8,9}"},
      {"{ s 1 c $" + std::string(253, '0') + "79 2 3 }", "{1,79,2,3#7#7}"},
      {"{ s " + std::string(300, '1') + " 2 3 4 }", "{-954437177,-954437177,2,3}"},  // numbers wrap
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c.text), c.parsed) << c.text.substr(0, 60);
  EXPECT_EQ(OBJ2DListFromASCII(nullptr), nullptr);
}

TEST(Obj2dParse, BuildsPointsAndFarthestLikeAddSegment) {
  LIST* list = OBJ2DListFromASCII("{ s 1 1 2 2 s 9 9 0 0 s 3 0 4 0 }");
  OBJ2D* o = static_cast<OBJ2D*>(LISTGet(list, 0));
  EXPECT_EQ(o->points->count, 6);
  EXPECT_EQ(LISTGet(o->points, 2), static_cast<SEG2D*>(LISTGet(o->segments, 1))->start);  // the segments' own
  EXPECT_EQ(o->farthest, 5);  // only end points count when adding: (2, 2), (0, 0), (4, 0)
  OBJ2DFindFarthest(o);
  EXPECT_EQ(o->farthest, 2);  // (9, 9)
  OBJ2DListFree(&list);
}

}  // namespace
