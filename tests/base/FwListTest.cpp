// FwList: links, head, tail and count checked against a plain model after every
// operation of mixed sequences; finding, deletion callbacks, splices, out-of-memory.
#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include <vector>
#include "base/FwList.h"

namespace {

void* Item(intptr_t i) { return reinterpret_cast<void*>(i); }
using Items = std::vector<void*>;

// Exposes the links and can refuse node storage.
class CheckedList : public FwList {
public:
    int nFailAfter = -1; // node allocations left before they fail; -1 never fails
    int nLiveNodes = 0;

    // Items, both link directions, tail, count and node storage agree with the model.
    bool Matches(const Items& model) const
    {
        Items items;
        const FwNode* prev = nullptr;
        for (const FwNode* node = pHead; node && items.size() <= model.size(); node = node->pNext) {
            if (node->pPrev != prev)
                return false;
            items.push_back(node->data);
            prev = node;
        }
        return items == model && prev == pTail && nCount == static_cast<int>(model.size()) &&
               nLiveNodes == nCount;
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
    void DeleteNode(void* node) override
    {
        nLiveNodes--;
        FwList::DeleteNode(node);
    }
};

using Calls = std::vector<std::pair<unsigned long, void*>>;
Calls g_calls;
int Record(unsigned long user, unsigned int code, void* data)
{
    EXPECT_EQ(1u, code);
    g_calls.push_back({user, data});
    return 1;
}

} // namespace

TEST(FwList, MixedOperationsKeepLinksConsistent)
{
    std::mt19937 rng(1234);
    CheckedList list;
    Items model;
    for (int step = 0; step < 3000; step++) {
        int n = static_cast<int>(model.size());
        int op = static_cast<int>(rng() % 9);
        int at = n ? static_cast<int>(rng() % n) : 0;
        void* item = Item(step + 1);
        if (n == 0 && op >= 2 && op <= 7)
            op = 1; // nothing to insert at, remove or move
        // One row per operation: the list's call, then the same change on the model.
        switch (op) {
        case 0: list.AddHead(item); model.insert(model.begin(), item); break;
        case 1: list.AddTail(item); model.push_back(item); break;
        case 2:
            EXPECT_EQ(at, list.GetIndex(list.InsertBefore(list.FindIndex(at), item)));
            model.insert(model.begin() + at, item);
            break;
        case 3:
            EXPECT_EQ(at + 1, list.GetIndex(list.InsertAfter(list.FindIndex(at), item)));
            model.insert(model.begin() + at + 1, item);
            break;
        case 4: EXPECT_EQ(model.front(), list.RemoveHead()); model.erase(model.begin()); break;
        case 5: EXPECT_EQ(model.back(), list.RemoveTail()); model.pop_back(); break;
        case 6: {
            POS__* p = list.FindIndex(at);
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
            break;
        }
        case 8: if (rng() % 20 == 0) { list.RemoveAll(); model.clear(); } break;
        }
        ASSERT_TRUE(list.Matches(model)) << "step " << step << " op " << op;
    }
}

TEST(FwList, FindWalkBackAndCallbacks)
{
    g_calls.clear();
    {
        CheckedList list;
        EXPECT_EQ(nullptr, list.RemoveHead()); // misuse on an empty list changes nothing
        list.SetCallback(77, Record);
        for (intptr_t i : {1, 2, 3, 2})
            list.AddTail(Item(i));
        // The search from a position does not consider that position's item.
        POS__* first = list.Find(Item(2));
        POS__* second = list.Find(Item(2), first);
        EXPECT_EQ(3, list.GetIndex(second));
        EXPECT_EQ(nullptr, list.Find(Item(2), second));
        list.SetAt(first, Item(7));
        Items seen;
        for (POS__* pos = list.GetTailPosition(); pos;)
            seen.push_back(list.GetPrev(pos));
        EXPECT_EQ((Items{Item(2), Item(3), Item(7), Item(1)}), seen);

        // Moves call nothing; removals report each item, tail first.
        list.MoveAfter(list.FindIndex(0), second);
        EXPECT_TRUE(g_calls.empty());
        list.RemoveAt(first);
        EXPECT_EQ((Calls{{77, Item(7)}}), g_calls);
        list.AddTail(Item(4));
        list.SetCallback(5, Record);
        g_calls.clear();
    }
    // The destructor releases the rest through the callback.
    EXPECT_EQ((Calls{{5, Item(4)}, {5, Item(1)}, {5, Item(2)}, {5, Item(3)}}), g_calls);
}

TEST(FwList, SplicingAndOutOfMemory)
{
    CheckedList list;
    list.AddTail(Item(1));
    POS__* p2 = list.AddTail(Item(2));
    list.nFailAfter = 0;
    EXPECT_EQ(nullptr, list.AddHead(Item(9)));
    EXPECT_EQ(nullptr, list.AddTail(Item(9)));
    EXPECT_EQ(nullptr, list.InsertBefore(p2, Item(9)));
    EXPECT_EQ(nullptr, list.InsertAfter(p2, Item(9)));
    EXPECT_TRUE(list.Matches({Item(1), Item(2)}));

    // Splices keep the order and share the items; one into itself doubles it once; a
    // splice stops at the first item that cannot be stored.
    list.nFailAfter = -1;
    CheckedList other;
    for (intptr_t i = 3; i <= 5; i++)
        other.AddTail(Item(i));
    other.AddHead(&list);
    EXPECT_TRUE(other.Matches({Item(1), Item(2), Item(3), Item(4), Item(5)}));
    list.AddTail(&list);
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(1), Item(2)}));
    list.nFailAfter = 1;
    list.AddTail(&other);
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(1), Item(2), Item(1)}));
}
