// FwList: a doubly linked list of untyped item pointers, walked through opaque
// positions. The list never owns its items; an owner that does registers a callback,
// which the list calls with code 1 for every item that leaves the list (before the
// node's storage is released, so the item is still there; the callback must not touch
// the list).
//
// Misuse (head, tail or removal on an empty list, a null position) changes nothing and
// gives a null item instead of a crash.
//
// Out of memory: when CreateNode cannot supply storage, the insertion does nothing and
// returns a null position; the list (head, tail, count and links) is unchanged. Splicing
// another list stops at the first item that cannot be added; the items added so far stay.
#pragma once
#include "VntApi.h"

// A position is the address of a node; null means "none".
struct POS__;

typedef int (*FwListCallback)(unsigned long userValue, unsigned int code, void* data);

class VNT_API FwList {
public:
    struct FwNode {
        FwNode* pNext;
        FwNode* pPrev;
        void* data;
    };

    FwList();
    virtual ~FwList();
    FwList(const FwList&) = delete;
    FwList& operator=(const FwList&) = delete;

    void SetCallback(unsigned long userValue, FwListCallback callback);

    int GetCount() const { return nCount; }
    int IsEmpty() const { return nCount == 0; }

    void*& GetHead() { return Item(pHead); }
    void* GetHead() const { return pHead ? pHead->data : nullptr; }
    void*& GetTail() { return Item(pTail); }
    void* GetTail() const { return pTail ? pTail->data : nullptr; }
    POS__* GetHeadPosition() const { return Pos(pHead); }
    POS__* GetTailPosition() const { return Pos(pTail); }

    // The item at pos; pos moves on (null past the end).
    void*& GetNext(POS__*& pos);
    void* GetNext(POS__*& pos) const;
    void*& GetPrev(POS__*& pos);
    void* GetPrev(POS__*& pos) const;
    void*& GetAt(POS__* pos) { return Item(Node(pos)); }
    void* GetAt(POS__* pos) const { return pos ? Node(pos)->data : nullptr; }
    void SetAt(POS__* pos, void* item) { Item(Node(pos)) = item; }

    POS__* AddHead(void* item);
    POS__* AddTail(void* item);
    // All items of other, in their order, in front of (after) this list's items.
    void AddHead(FwList* other);
    void AddTail(FwList* other);
    POS__* InsertBefore(POS__* pos, void* item);
    POS__* InsertAfter(POS__* pos, void* item);

    void* RemoveHead();
    void* RemoveTail();
    // pos moves to the following node (null after the tail).
    void RemoveAt(POS__*& pos);
    // Items leave from the tail toward the head.
    void RemoveAll();

    // Moves the node at pos just after after (to the front for a null after).
    POS__* MoveAfter(POS__* pos, POS__* after);
    int GetIndex(POS__* pos) const;
    POS__* FindIndex(int index) const;
    // Searches from the head, or from the node after start.
    POS__* Find(void* item, POS__* start = nullptr) const;

protected:
    FwNode* pHead;
    FwNode* pTail;
    int nCount;
    unsigned long dwUserValue;
    FwListCallback pfnCallback;

    virtual void* CreateNode();
    virtual void DeleteNode(void* node);

    // A node with its neighbours set, item null, counted; null when out of memory.
    FwNode* NewNode(FwNode* prev, FwNode* next);
    // Notifies, releases and uncounts a node already unlinked.
    void FreeNode(FwNode* node);

    // The node's item, or a scratch null item for no node.
    static void*& Item(FwNode* node);
    static FwNode* Node(POS__* pos) { return reinterpret_cast<FwNode*>(pos); }
    static POS__* Pos(FwNode* node) { return reinterpret_cast<POS__*>(node); }
};
