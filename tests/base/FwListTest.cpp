// FwList: every operation of a long random sequence checked against a plain model; the
// destructor, misuse and out-of-memory.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>
#include "base/FwList.h"

namespace {

void* Item(intptr_t i) { return reinterpret_cast<void*>(i); }
using Items = std::vector<void*>;

// The items the lists' callback reported as leaving, in order.
Items g_left;
int RecordLeaving(unsigned long user, unsigned int code, void* data)
{
    EXPECT_TRUE(user == 77 && code == 1) << user << " " << code;
    g_left.push_back(data);
    return 1;
}

// Exposes the links, can refuse node storage and reports leaving items to g_left.
class CheckedList : public FwList {
public:
    int nFailAfter = -1; // node allocations left before they fail; -1 never fails
    int nLiveNodes = 0;
    CheckedList() { SetCallback(77, RecordLeaving); }
    // Items in both link directions (the backward one by position), tail, count and node
    // storage agree with the model.
    bool Matches(const Items& model)
    {
        Items items, back;
        const FwNode* prev = nullptr;
        for (const FwNode* node = pHead; node && items.size() <= model.size(); prev = node, node = node->pNext) {
            if (node->pPrev != prev)
                return false;
            items.push_back(node->data);
        }
        for (POS__* pos = GetTailPosition(); pos && back.size() <= model.size();)
            back.insert(back.begin(), GetPrev(pos));
        return items == model && back == model && prev == pTail &&
               nCount == static_cast<int>(model.size()) && nLiveNodes == nCount;
    }

protected:
    void* CreateNode() override
    {
        if (nFailAfter == 0)
            return nullptr;
        nFailAfter -= nFailAfter > 0;
        nLiveNodes++;
        return FwList::CreateNode();
    }
    void DeleteNode(void* node) override { nLiveNodes--; FwList::DeleteNode(node); }
};

} // namespace

TEST(FwList, MixedOperationsKeepLinksConsistent)
{
    std::mt19937 rng(1234);
    CheckedList list;
    Items model;
    for (int step = 0; step < 3000; step++) {
        int n = static_cast<int>(model.size()), op = static_cast<int>(rng() % 8);
        int at = n ? static_cast<int>(rng() % n) : 0;
        void* item = Item(step + 1);
        if (n == 0 && op >= 2)
            op = 1; // nothing to insert at, remove or move
        const Items before = model;
        g_left.clear();
        // One row per operation: the list's call, then the same change on the model.
        switch (op) {
        case 0: list.AddHead(item); model.insert(model.begin(), item); break;
        case 1: list.AddTail(item); model.push_back(item); break;
        case 2: EXPECT_EQ(at, list.GetIndex(list.InsertBefore(list.FindIndex(at), item)));
            model.insert(model.begin() + at, item); break;
        case 3: EXPECT_EQ(at + 1, list.GetIndex(list.InsertAfter(list.FindIndex(at), item)));
            model.insert(model.begin() + at + 1, item); break;
        case 4: EXPECT_EQ(model.front(), list.RemoveHead()); model.erase(model.begin()); break;
        case 5: EXPECT_EQ(model.back(), list.RemoveTail()); model.pop_back(); break;
        case 6: {
            if (rng() % 20 == 0) { list.RemoveAll(); model.clear(); break; }
            POS__* p = list.Find(model[at]); // the items are unique
            EXPECT_EQ(nullptr, list.Find(model[at], p)) << "a search skips its start's own item";
            list.RemoveAt(p);
            model.erase(model.begin() + at);
            EXPECT_EQ(at < n - 1 ? list.FindIndex(at) : nullptr, p); // the position moves on
            break;
        }
        case 7: {
            int dest = static_cast<int>(rng() % (n + 1)) - 1; // -1: to the front
            POS__* p = list.FindIndex(at);
            EXPECT_EQ(p, list.MoveAfter(p, dest < 0 ? nullptr : list.FindIndex(dest)));
            void* moved = model[at];
            model.erase(model.begin() + at);
            model.insert(model.begin() + (dest < at ? dest + 1 : dest), moved);
        }
        }
        ASSERT_TRUE(list.Matches(model)) << "step " << step << " op " << op;
        // Removals report each item that leaves, tail first.
        Items left;
        for (auto it = before.rbegin(); it != before.rend(); ++it)
            if (std::find(model.begin(), model.end(), *it) == model.end())
                left.push_back(*it);
        ASSERT_EQ(left, g_left) << "step " << step << " op " << op;
    }
}

TEST(FwList, OutOfMemoryAndTheDestructor)
{
    g_left.clear();
    {
        CheckedList list;
        EXPECT_EQ(nullptr, list.RemoveHead()); // misuse on an empty list changes nothing
        list.AddTail(Item(1));
        POS__* p2 = list.AddTail(Item(2));
        list.nFailAfter = 0;
        EXPECT_EQ(nullptr, list.AddHead(Item(9)));
        EXPECT_EQ(nullptr, list.AddTail(Item(9)));
        EXPECT_EQ(nullptr, list.InsertBefore(p2, Item(9)));
        EXPECT_EQ(nullptr, list.InsertAfter(p2, Item(9)));
        EXPECT_TRUE(list.Matches({Item(1), Item(2)}));
        EXPECT_TRUE(g_left.empty());
    }
    // The destructor releases the rest through the callback, tail first.
    EXPECT_EQ(Items({Item(2), Item(1)}), g_left);
}
