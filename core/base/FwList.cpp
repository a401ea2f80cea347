#include <new>
#include "base/FwList.h"

FwList::FwList()
    : pHead(nullptr), pTail(nullptr), nCount(0), dwUserValue(0), pfnCallback(nullptr)
{
}

FwList::~FwList()
{
    RemoveAll();
}

void FwList::SetCallback(unsigned long userValue, FwListCallback callback)
{
    dwUserValue = userValue;
    pfnCallback = callback;
}

void* FwList::CreateNode()
{
    return ::operator new(sizeof(FwNode), std::nothrow);
}

void FwList::DeleteNode(void* node)
{
    ::operator delete(node);
}

FwList::FwNode* FwList::NewNode(FwNode* prev, FwNode* next)
{
    FwNode* node = static_cast<FwNode*>(CreateNode());
    if (!node)
        return nullptr;
    node->pPrev = prev;
    node->pNext = next;
    node->data = nullptr;
    nCount++;
    return node;
}

void FwList::FreeNode(FwNode* node)
{
    if (pfnCallback)
        pfnCallback(dwUserValue, 1, node->data);
    DeleteNode(node);
    nCount--;
}

void*& FwList::Item(FwNode* node)
{
    static void* s_pNone;
    if (node)
        return node->data;
    s_pNone = nullptr;
    return s_pNone;
}

void*& FwList::GetNext(POS__*& pos)
{
    if (!pos)
        return Item(nullptr);
    FwNode* node = Node(pos);
    pos = Pos(node->pNext);
    return node->data;
}

void* FwList::GetNext(POS__*& pos) const
{
    if (!pos)
        return nullptr;
    FwNode* node = Node(pos);
    pos = Pos(node->pNext);
    return node->data;
}

void*& FwList::GetPrev(POS__*& pos)
{
    if (!pos)
        return Item(nullptr);
    FwNode* node = Node(pos);
    pos = Pos(node->pPrev);
    return node->data;
}

void* FwList::GetPrev(POS__*& pos) const
{
    if (!pos)
        return nullptr;
    FwNode* node = Node(pos);
    pos = Pos(node->pPrev);
    return node->data;
}

POS__* FwList::AddHead(void* item)
{
    FwNode* node = NewNode(nullptr, pHead);
    if (!node)
        return nullptr;
    node->data = item;
    if (pHead)
        pHead->pPrev = node;
    else
        pTail = node;
    pHead = node;
    return Pos(node);
}

POS__* FwList::AddTail(void* item)
{
    FwNode* node = NewNode(pTail, nullptr);
    if (!node)
        return nullptr;
    node->data = item;
    if (pTail)
        pTail->pNext = node;
    else
        pHead = node;
    pTail = node;
    return Pos(node);
}

// Both walk a fixed number of nodes, so splicing a list into itself doubles it once.
void FwList::AddHead(FwList* other)
{
    if (!other)
        return;
    FwNode* node = other->pTail;
    for (int n = other->nCount; n > 0 && node; n--, node = node->pPrev)
        if (!AddHead(node->data))
            return;
}

void FwList::AddTail(FwList* other)
{
    if (!other)
        return;
    FwNode* node = other->pHead;
    for (int n = other->nCount; n > 0 && node; n--, node = node->pNext)
        if (!AddTail(node->data))
            return;
}

POS__* FwList::InsertBefore(POS__* pos, void* item)
{
    if (!pos)
        return AddHead(item);
    FwNode* next = Node(pos);
    FwNode* node = NewNode(next->pPrev, next);
    if (!node)
        return nullptr;
    node->data = item;
    if (next->pPrev)
        next->pPrev->pNext = node;
    else
        pHead = node;
    next->pPrev = node;
    return Pos(node);
}

POS__* FwList::InsertAfter(POS__* pos, void* item)
{
    if (!pos)
        return AddTail(item);
    FwNode* prev = Node(pos);
    FwNode* node = NewNode(prev, prev->pNext);
    if (!node)
        return nullptr;
    node->data = item;
    if (prev->pNext)
        prev->pNext->pPrev = node;
    else
        pTail = node;
    prev->pNext = node;
    return Pos(node);
}

void* FwList::RemoveHead()
{
    FwNode* node = pHead;
    if (!node)
        return nullptr;
    void* item = node->data;
    pHead = node->pNext;
    if (pHead)
        pHead->pPrev = nullptr;
    else
        pTail = nullptr;
    FreeNode(node);
    return item;
}

void* FwList::RemoveTail()
{
    FwNode* node = pTail;
    if (!node)
        return nullptr;
    void* item = node->data;
    pTail = node->pPrev;
    if (pTail)
        pTail->pNext = nullptr;
    else
        pHead = nullptr;
    FreeNode(node);
    return item;
}

void FwList::RemoveAt(POS__*& pos)
{
    FwNode* node = Node(pos);
    if (!node)
        return;
    pos = Pos(node->pNext);
    if (node->pPrev)
        node->pPrev->pNext = node->pNext;
    else
        pHead = node->pNext;
    if (node->pNext)
        node->pNext->pPrev = node->pPrev;
    else
        pTail = node->pPrev;
    FreeNode(node);
}

void FwList::RemoveAll()
{
    while (nCount > 0 && pTail)
        RemoveTail();
}

POS__* FwList::MoveAfter(POS__* pos, POS__* after)
{
    FwNode* node = Node(pos);
    FwNode* dest = Node(after);
    if (!node || node == dest || node->pPrev == dest)
        return pos;
    // Unlink.
    if (node->pPrev)
        node->pPrev->pNext = node->pNext;
    else
        pHead = node->pNext;
    if (node->pNext)
        node->pNext->pPrev = node->pPrev;
    else
        pTail = node->pPrev;
    // Link after dest, or in front.
    if (!dest) {
        node->pPrev = nullptr;
        node->pNext = pHead;
        if (pHead)
            pHead->pPrev = node;
        else
            pTail = node;
        pHead = node;
    } else {
        node->pPrev = dest;
        node->pNext = dest->pNext;
        if (dest->pNext)
            dest->pNext->pPrev = node;
        else
            pTail = node;
        dest->pNext = node;
    }
    return pos;
}

int FwList::GetIndex(POS__* pos) const
{
    if (!pos)
        return -1;
    int i = 0;
    for (FwNode* node = pHead; node; node = node->pNext, i++)
        if (node == Node(pos))
            return i;
    return -1;
}

POS__* FwList::FindIndex(int index) const
{
    if (index < 0 || index >= nCount)
        return nullptr;
    FwNode* node = pHead;
    while (node && index-- > 0)
        node = node->pNext;
    return Pos(node);
}

POS__* FwList::Find(void* item, POS__* start) const
{
    for (FwNode* node = start ? Node(start)->pNext : pHead; node; node = node->pNext)
        if (node->data == item)
            return Pos(node);
    return nullptr;
}
