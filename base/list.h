// LIST: an ordered, growable array of untyped object pointers. A list never
// owns its items: freeing it frees only its slot array and itself.
//
// Every operation checks its arguments; a rejected call calls LISTError,
// changes nothing and returns null, -1, 0 or nothing.
#ifndef VORN_BASE_LIST_H
#define VORN_BASE_LIST_H

#include <cstdint>

struct LIST {
  int32_t capacity;  // slots allocated in items: 2 for a new list, only ever doubles
  int32_t count;     // items in use, in slots 0..count-1
  void** items;      // the slots; read items through LISTGet
};

// Identification strings: name, date, author, language, kind.
extern const char* const LISTIdent[5];
// Set to make LISTError print "LIST error"; clear by default.
extern uint8_t LISTDebug;

// New empty list of capacity 2; null if an allocation fails.
LIST* LISTNew(void);
// Frees the slot array and the record (not the items); sets *list to null.
void LISTFree(LIST** list);
// A list has no text form: always null.
char* LISTToASCII(const LIST* list);
// Always null.
LIST* LISTFromASCII(const char* text);
// 1 if both null, the same list, or the same pointers in the same order; never reports.
int LISTEqual(const LIST* a, const LIST* b);
// New list holding the same pointers in the same order; null on a null list.
LIST* LISTCopy(const LIST* list);

// Appends item (null allowed) at index count, growing first when full.
void LISTPush(LIST* list, void* item);
// Removes and returns the last item; null when empty. The vacated slot keeps its pointer.
void* LISTPop(LIST* list);
// Inserts item at 0 <= index <= count, moving the items from index up one slot.
void LISTInsert(LIST* list, void* item, int32_t index);
// Removes the item at 0 <= index < count; the slot at the old last index becomes null.
void LISTRemove(LIST* list, int32_t index);
// Item at 0 <= index < count; null otherwise.
void* LISTGet(const LIST* list, int32_t index);
// Replaces the item at 0 <= index < count.
void LISTSet(LIST* list, void* item, int32_t index);
// Lowest index holding item; -1 if none, or for a null list or null item.
int32_t LISTFind(const LIST* list, const void* item);
// New list with items first..end-1; null unless 0 <= first < end <= count.
LIST* LISTSub(const LIST* list, int32_t first, int32_t end);
// Removes items first..end-1; nothing unless 0 <= first < end <= count.
void LISTCut(LIST* list, int32_t first, int32_t end);
// Inserts source items first..end-1 into target before index at.
void LISTInsertList(const LIST* source, LIST* target, int32_t first, int32_t end, int32_t at);

// Prints "LIST error" when LISTDebug is set.
void LISTError(void);

#endif
