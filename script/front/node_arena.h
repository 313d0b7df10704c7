// Memory for syntax-tree nodes. A parse makes many small nodes that all live until the run ends,
// so they are cut from large blocks instead of taking an allocation each. A node made outside a
// parse comes from the heap as usual. The blocks are freed when the parse is over and the last
// node cut from them has been destroyed, wherever the tree went (a function body lives in the
// function table). A tree is destroyed on one thread at a time, as every run is.
#pragma once

#include <cstddef>
#include <new>

// Under AddressSanitizer the unused and the released parts of a block are poisoned, so that a node
// used after its destruction is reported as it would be on the heap.
#if defined(__SANITIZE_ADDRESS__)
#define WAVELITH_NODE_POISONING 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define WAVELITH_NODE_POISONING 1
#endif
#endif
#ifdef WAVELITH_NODE_POISONING
#include <sanitizer/asan_interface.h>
#endif

namespace wavelith::script {

class NodeArena {
public:
    // Every node made on this thread while a Scope lives comes from one new arena.
    class Scope {
    public:
        Scope();
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        NodeArena* arena_;
        NodeArena* previous_;
    };

    static void* allocate(size_t size) {
        NodeArena* arena = current_;
        void* memory = arena ? arena->cut(size) : ::operator new(size + headerSize);
        *static_cast<NodeArena**>(memory) = arena;
        return static_cast<char*>(memory) + headerSize;
    }

    // size: the node's own, as the allocation asked for.
    static void release(void* node, size_t size) noexcept {
        if (!node) return;
        void* memory = static_cast<char*>(node) - headerSize;
        NodeArena* arena = *static_cast<NodeArena**>(memory);
        if (!arena) {
            ::operator delete(memory);
            return;
        }
        poison(memory, headerSize + size);
        if (--arena->live_ == 0 && arena->closed_) delete arena;
    }

private:
    // Each node is preceded by the arena it came from, or null for the heap. Nodes need no more
    // than pointer alignment, which the header keeps.
    static constexpr size_t headerSize = sizeof(void*);
    static constexpr size_t blockSize = 32 * 1024;

    // Followed by its nodes, which keep the alignment of its two fields.
    struct Block {
        Block* previous;
        size_t size;
    };

    NodeArena() = default;
    ~NodeArena();
    void* cut(size_t size) {
        size_t need = (headerSize + size + alignof(void*) - 1) & ~(alignof(void*) - 1);
        if (static_cast<size_t>(end_ - next_) < need) newBlock(need);
        void* memory = next_;
        next_ += need;
        ++live_;
        unpoison(memory, headerSize + size);
        return memory;
    }
    void newBlock(size_t need);
#ifdef WAVELITH_NODE_POISONING
    static void poison(void* memory, size_t size) { ASAN_POISON_MEMORY_REGION(memory, size); }
    static void unpoison(void* memory, size_t size) { ASAN_UNPOISON_MEMORY_REGION(memory, size); }
#else
    static void poison(void*, size_t) {}
    static void unpoison(void*, size_t) {}
#endif

    static thread_local NodeArena* current_;
    Block* last_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t live_ = 0;
    bool closed_ = false;
};

}  // namespace wavelith::script
