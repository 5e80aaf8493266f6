// LIST: growable pointer array with doubling growth.
#include "list.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const LISTIdent[5] = {"LIST    ", "20111017", "ZEKTORIN", "C", "CODE"};
uint8_t LISTDebug = 0;

void LISTError(void) {
  if (LISTDebug) puts("LIST error");
}

namespace {

// Doubles the slot array; on failure reports, keeps the list as it was and returns 0.
int LISTGrow(LIST* list) {
  if (list->capacity > INT32_MAX / 2) return LISTError(), 0;
  int32_t capacity = list->capacity * 2;
  void** items = static_cast<void**>(calloc(size_t(capacity), sizeof(void*)));
  if (!items) return LISTError(), 0;
  memcpy(items, list->items, size_t(list->count) * sizeof(void*));
  free(list->items);
  list->items = items;
  list->capacity = capacity;
  return 1;
}

bool RangeValid(const LIST* list, int32_t first, int32_t end) {
  return list && first >= 0 && first < end && end <= list->count;
}

}  // namespace

LIST* LISTNew(void) {
  LIST* list = static_cast<LIST*>(calloc(1, sizeof(LIST)));
  if (!list) return LISTError(), nullptr;
  list->items = static_cast<void**>(calloc(2, sizeof(void*)));
  if (!list->items) {
    free(list);
    return LISTError(), nullptr;
  }
  list->capacity = 2;
  return list;
}

void LISTFree(LIST** list) {
  if (!list || !*list) return LISTError();
  free((*list)->items);
  free(*list);
  *list = nullptr;
}

char* LISTToASCII(const LIST* list) {
  if (!list) LISTError();
  return nullptr;
}

LIST* LISTFromASCII(const char* text) {
  if (!text) LISTError();
  return nullptr;
}

int LISTEqual(const LIST* a, const LIST* b) {
  if (a == b) return 1;
  if (!a || !b || a->count != b->count) return 0;
  for (int32_t i = a->count - 1; i >= 0; --i)
    if (a->items[i] != b->items[i]) return 0;
  return 1;
}

LIST* LISTCopy(const LIST* list) {
  if (!list) return LISTError(), nullptr;
  LIST* copy = LISTNew();
  if (!copy) return nullptr;
  for (int32_t i = 0; i < list->count; ++i) {
    LISTPush(copy, list->items[i]);
    if (copy->count != i + 1) {
      LISTFree(&copy);
      return nullptr;
    }
  }
  return copy;
}

void LISTPush(LIST* list, void* item) {
  if (!list) return LISTError();
  if (list->count == list->capacity && !LISTGrow(list)) return;
  list->items[list->count++] = item;
}

void* LISTPop(LIST* list) {
  if (!list || list->count == 0) return LISTError(), nullptr;
  return list->items[--list->count];
}

void LISTInsert(LIST* list, void* item, int32_t index) {
  if (!list || index < 0 || index > list->count) return LISTError();
  while (list->capacity <= list->count)
    if (!LISTGrow(list)) return;
  for (int32_t i = list->count; i > index; --i) list->items[i] = list->items[i - 1];
  list->items[index] = item;
  ++list->count;
}

void LISTRemove(LIST* list, int32_t index) {
  if (!list || index < 0 || index >= list->count) return LISTError();
  for (int32_t i = index; i < list->count - 1; ++i) list->items[i] = list->items[i + 1];
  list->items[--list->count] = nullptr;
}

void* LISTGet(const LIST* list, int32_t index) {
  if (!list || index < 0 || index >= list->count) return LISTError(), nullptr;
  return list->items[index];
}

void LISTSet(LIST* list, void* item, int32_t index) {
  if (!list || index < 0 || index >= list->count) return LISTError();
  list->items[index] = item;
}

int32_t LISTFind(const LIST* list, const void* item) {
  if (!list || !item) return LISTError(), -1;
  for (int32_t i = 0; i < list->count; ++i)
    if (list->items[i] == item) return i;
  return -1;
}

LIST* LISTSub(const LIST* list, int32_t first, int32_t end) {
  if (!RangeValid(list, first, end)) return LISTError(), nullptr;
  LIST* sub = LISTNew();
  if (!sub) return nullptr;
  for (int32_t i = first; i < end; ++i) {
    LISTPush(sub, list->items[i]);
    if (sub->count != i - first + 1) {
      LISTFree(&sub);
      return nullptr;
    }
  }
  return sub;
}

void LISTCut(LIST* list, int32_t first, int32_t end) {
  if (!RangeValid(list, first, end)) return LISTError();
  int32_t n = end - first;
  for (int32_t i = end; i < list->count; ++i) list->items[i - n] = list->items[i];
  list->count -= n;
}

void LISTInsertList(const LIST* source, LIST* target, int32_t first, int32_t end, int32_t at) {
  if (!RangeValid(source, first, end) || !target || at < 0 || at > target->count)
    return LISTError();
  int32_t n = end - first;
  if (target->count > INT32_MAX - n) return LISTError();
  // Inserting a list into itself: take the items before any of them move.
  void** taken = static_cast<void**>(malloc(size_t(n) * sizeof(void*)));
  if (!taken) return LISTError();
  memcpy(taken, source->items + first, size_t(n) * sizeof(void*));
  while (target->capacity < target->count + n) {
    if (!LISTGrow(target)) {
      free(taken);
      return;
    }
  }
  for (int32_t i = target->count - 1; i >= at; --i) target->items[i + n] = target->items[i];
  for (int32_t k = n - 1; k >= 0; --k) target->items[at + k] = taken[k];
  target->count += n;
  free(taken);
}
