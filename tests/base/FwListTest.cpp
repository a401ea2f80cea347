// FwList: links, head, tail and count checked against a plain model after every
// operation of mixed sequences; deletion callbacks; moves; out-of-memory insertions.
#include <gtest/gtest.h>
#include <cstdint>
#include <random>
#include <vector>
#include "base/FwList.h"

namespace {

void* Item(intptr_t i) { return reinterpret_cast<void*>(i); }

// Exposes the links and can refuse node storage.
class CheckedList : public FwList {
public:
    int nFailAfter = -1; // node allocations left before they fail; -1 never fails
    int nLiveNodes = 0;

    // Head, tail, count and both link directions agree with the model.
    ::testing::AssertionResult Matches(const std::vector<void*>& model) const
    {
        if (nCount != static_cast<int>(model.size()))
            return ::testing::AssertionFailure() << "count " << nCount << " vs " << model.size();
        if ((pHead == nullptr) != (pTail == nullptr) || (pHead == nullptr) != model.empty())
            return ::testing::AssertionFailure() << "head/tail emptiness";
        const FwNode* prev = nullptr;
        const FwNode* node = pHead;
        for (size_t i = 0; i < model.size(); i++, prev = node, node = node->pNext) {
            if (!node)
                return ::testing::AssertionFailure() << "chain ends at " << i;
            if (node->pPrev != prev)
                return ::testing::AssertionFailure() << "pPrev wrong at " << i;
            if (node->data != model[i])
                return ::testing::AssertionFailure() << "item wrong at " << i;
        }
        if (node != nullptr || prev != pTail)
            return ::testing::AssertionFailure() << "tail is not the last node";
        if (nLiveNodes != nCount)
            return ::testing::AssertionFailure() << "storage of " << nLiveNodes << " nodes";
        return ::testing::AssertionSuccess();
    }

protected:
    void* CreateNode() override
    {
        if (nFailAfter == 0)
            return nullptr;
        if (nFailAfter > 0)
            nFailAfter--;
        nLiveNodes++;
        return FwList::CreateNode();
    }
    void DeleteNode(void* node) override
    {
        nLiveNodes--;
        FwList::DeleteNode(node);
    }
};

std::vector<std::pair<unsigned long, void*>> g_calls;
int Record(unsigned long user, unsigned int code, void* data)
{
    EXPECT_EQ(1u, code);
    g_calls.push_back({user, data});
    return 1;
}

} // namespace

TEST(FwList, EdgeCasesOfSingleItems)
{
    CheckedList list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(nullptr, list.FindIndex(0));
    EXPECT_EQ(-1, list.GetIndex(nullptr));
    POS__* p = list.AddHead(Item(1));
    EXPECT_TRUE(list.Matches({Item(1)}));
    EXPECT_EQ(p, list.FindIndex(0));
    EXPECT_EQ(Item(1), list.RemoveTail());
    EXPECT_TRUE(list.Matches({}));

    // InsertBefore/After with no position add at the head/tail.
    list.AddTail(Item(2));
    list.InsertBefore(nullptr, Item(1));
    list.InsertAfter(nullptr, Item(3));
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(3)}));
    EXPECT_EQ(nullptr, list.FindIndex(3));
    EXPECT_EQ(nullptr, list.FindIndex(-1));

    // RemoveAt on the tail ends the walk; on the head moves the head on.
    POS__* tail = list.FindIndex(2);
    list.RemoveAt(tail);
    EXPECT_EQ(nullptr, tail);
    POS__* head = list.FindIndex(0);
    list.RemoveAt(head);
    EXPECT_EQ(list.FindIndex(0), head);
    EXPECT_TRUE(list.Matches({Item(2)}));
}

TEST(FwList, WalkingFindAndIndex)
{
    CheckedList list;
    for (intptr_t i = 1; i <= 4; i++)
        list.AddTail(Item(i));
    list.AddTail(Item(2));
    std::vector<void*> seen;
    for (POS__* pos = list.GetHeadPosition(); pos;)
        seen.push_back(list.GetNext(pos));
    EXPECT_EQ((std::vector<void*>{Item(1), Item(2), Item(3), Item(4), Item(2)}), seen);
    seen.clear();
    const FwList& constList = list;
    for (POS__* pos = constList.GetTailPosition(); pos;)
        seen.push_back(constList.GetPrev(pos));
    EXPECT_EQ((std::vector<void*>{Item(2), Item(4), Item(3), Item(2), Item(1)}), seen);

    POS__* first = list.Find(Item(2));
    EXPECT_EQ(1, list.GetIndex(first));
    // The search from a position does not consider that position's item.
    POS__* second = list.Find(Item(2), first);
    EXPECT_EQ(4, list.GetIndex(second));
    EXPECT_EQ(nullptr, list.Find(Item(2), second));
    EXPECT_EQ(nullptr, list.Find(Item(9)));

    list.SetAt(first, Item(7));
    list.GetAt(second) = Item(8);
    list.GetHead() = Item(6);
    EXPECT_TRUE(list.Matches({Item(6), Item(7), Item(3), Item(4), Item(8)}));
    EXPECT_EQ(Item(8), constList.GetTail());
}

TEST(FwList, MixedOperationsKeepLinksConsistent)
{
    std::mt19937 rng(1234);
    CheckedList list;
    std::vector<void*> model;
    intptr_t next = 1;
    for (int step = 0; step < 3000; step++) {
        int n = static_cast<int>(model.size());
        int op = static_cast<int>(rng() % 9);
        int at = n ? static_cast<int>(rng() % n) : 0;
        switch (op) {
        case 0:
            list.AddHead(Item(next));
            model.insert(model.begin(), Item(next++));
            break;
        case 1:
            list.AddTail(Item(next));
            model.push_back(Item(next++));
            break;
        case 2:
            if (n) {
                POS__* p = list.InsertBefore(list.FindIndex(at), Item(next));
                model.insert(model.begin() + at, Item(next++));
                EXPECT_EQ(at, list.GetIndex(p));
            }
            break;
        case 3:
            if (n) {
                POS__* p = list.InsertAfter(list.FindIndex(at), Item(next));
                model.insert(model.begin() + at + 1, Item(next++));
                EXPECT_EQ(at + 1, list.GetIndex(p));
            }
            break;
        case 4:
            if (n) {
                EXPECT_EQ(model.front(), list.RemoveHead());
                model.erase(model.begin());
            }
            break;
        case 5:
            if (n) {
                EXPECT_EQ(model.back(), list.RemoveTail());
                model.pop_back();
            }
            break;
        case 6:
            if (n) {
                POS__* p = list.FindIndex(at);
                list.RemoveAt(p);
                model.erase(model.begin() + at);
                EXPECT_EQ(at < n - 1 ? list.FindIndex(at) : nullptr, p);
            }
            break;
        case 7:
            if (n) {
                int dest = static_cast<int>(rng() % (n + 1)) - 1; // -1: to the front
                POS__* p = list.FindIndex(at);
                EXPECT_EQ(p, list.MoveAfter(p, dest < 0 ? nullptr : list.FindIndex(dest)));
                void* item = model[at];
                if (dest != at) {
                    int insertAt = dest + 1;
                    model.erase(model.begin() + at);
                    if (at < insertAt)
                        insertAt--;
                    model.insert(model.begin() + insertAt, item);
                }
            }
            break;
        case 8:
            if (rng() % 20 == 0) {
                list.RemoveAll();
                model.clear();
            }
            break;
        }
        ASSERT_TRUE(list.Matches(model)) << "step " << step << " op " << op;
    }
}

TEST(FwList, SplicingKeepsOrderAndSharesItems)
{
    CheckedList a, b;
    a.AddTail(Item(3));
    a.AddTail(Item(4));
    b.AddTail(Item(1));
    b.AddTail(Item(2));
    a.AddHead(&b);
    EXPECT_TRUE(a.Matches({Item(1), Item(2), Item(3), Item(4)}));
    EXPECT_TRUE(b.Matches({Item(1), Item(2)}));
    a.AddTail(&b);
    EXPECT_TRUE(a.Matches({Item(1), Item(2), Item(3), Item(4), Item(1), Item(2)}));
    // A list spliced into itself is doubled once.
    b.AddTail(&b);
    EXPECT_TRUE(b.Matches({Item(1), Item(2), Item(1), Item(2)}));
    b.RemoveAll();
    b.AddTail(Item(5));
    b.AddHead(&b);
    EXPECT_TRUE(b.Matches({Item(5), Item(5)}));
}

TEST(FwList, MoveAfterCases)
{
    CheckedList list;
    POS__* p1 = list.AddTail(Item(1));
    POS__* p2 = list.AddTail(Item(2));
    POS__* p3 = list.AddTail(Item(3));
    list.MoveAfter(p1, nullptr); // head to the front: no change
    list.MoveAfter(p2, p1);      // already after: no change
    list.MoveAfter(p2, p2);
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(3)}));
    list.MoveAfter(p3, nullptr); // the tail becomes the head, its predecessor the tail
    EXPECT_TRUE(list.Matches({Item(3), Item(1), Item(2)}));
    list.MoveAfter(p3, p2); // the head becomes the tail
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(3)}));
    list.MoveAfter(p1, p2);
    EXPECT_TRUE(list.Matches({Item(2), Item(1), Item(3)}));
}

TEST(FwList, CallbackSeesEveryLeavingItemTailFirst)
{
    g_calls.clear();
    {
        CheckedList list;
        list.SetCallback(77, Record);
        for (intptr_t i = 1; i <= 3; i++)
            list.AddTail(Item(i));
        list.RemoveAll();
        ASSERT_EQ(3u, g_calls.size());
        EXPECT_EQ(Item(3), g_calls[0].second);
        EXPECT_EQ(Item(2), g_calls[1].second);
        EXPECT_EQ(Item(1), g_calls[2].second);
        EXPECT_EQ(77u, g_calls[0].first);

        g_calls.clear();
        list.AddTail(Item(4));
        list.AddTail(Item(5));
        POS__* p = list.FindIndex(0);
        list.MoveAfter(p, list.FindIndex(1)); // moves call nothing
        EXPECT_TRUE(g_calls.empty());
        list.RemoveAt(p);
        EXPECT_EQ(Item(5), list.RemoveHead());
        ASSERT_EQ(2u, g_calls.size());
        EXPECT_EQ(Item(4), g_calls[0].second);
        EXPECT_EQ(Item(5), g_calls[1].second);

        list.AddTail(Item(6));
        list.AddTail(Item(7));
        g_calls.clear();
        list.SetCallback(0, nullptr);
        list.RemoveHead();
        EXPECT_TRUE(g_calls.empty());
        list.SetCallback(5, Record);
    }
    // The destructor releases the rest through the callback.
    ASSERT_EQ(1u, g_calls.size());
    EXPECT_EQ(Item(7), g_calls[0].second);
    EXPECT_EQ(5u, g_calls[0].first);
}

TEST(FwList, OutOfMemoryLeavesListUnchanged)
{
    CheckedList list;
    list.AddTail(Item(1));
    POS__* p2 = list.AddTail(Item(2));
    list.nFailAfter = 0;
    EXPECT_EQ(nullptr, list.AddHead(Item(9)));
    EXPECT_EQ(nullptr, list.AddTail(Item(9)));
    EXPECT_EQ(nullptr, list.InsertBefore(p2, Item(9)));
    EXPECT_EQ(nullptr, list.InsertAfter(p2, Item(9)));
    EXPECT_EQ(nullptr, list.InsertAfter(nullptr, Item(9)));
    EXPECT_TRUE(list.Matches({Item(1), Item(2)}));

    // A splice stops at the first item that cannot be stored.
    CheckedList other;
    for (intptr_t i = 3; i <= 5; i++)
        other.AddTail(Item(i));
    list.nFailAfter = 1;
    list.AddTail(&other);
    EXPECT_TRUE(list.Matches({Item(1), Item(2), Item(3)}));
    list.nFailAfter = -1;
}

TEST(FwListMisuse, EmptyListAndNullPositionsChangeNothing)
{
    CheckedList list;
    EXPECT_EQ(nullptr, list.RemoveHead());
    EXPECT_EQ(nullptr, list.RemoveTail());
    EXPECT_EQ(nullptr, list.GetHead());
    EXPECT_EQ(nullptr, static_cast<const FwList&>(list).GetTail());
    POS__* none = nullptr;
    EXPECT_EQ(nullptr, list.GetNext(none));
    EXPECT_EQ(nullptr, list.GetPrev(none));
    list.RemoveAt(none);
    list.SetAt(nullptr, Item(1));
    EXPECT_EQ(nullptr, list.GetAt(nullptr));
    list.AddTail(Item(2));
    EXPECT_EQ(nullptr, list.MoveAfter(nullptr, list.FindIndex(0)));
    EXPECT_TRUE(list.Matches({Item(2)}));
}
