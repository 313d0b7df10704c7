#include "script/front/node_arena.h"

#include <algorithm>

namespace wavelith::script {

thread_local NodeArena* NodeArena::current_ = nullptr;

NodeArena::Scope::Scope() : arena_(new NodeArena), previous_(current_) { current_ = arena_; }

NodeArena::Scope::~Scope() {
    current_ = previous_;
    arena_->closed_ = true;
    if (arena_->live_ == 0) delete arena_;
}

NodeArena::~NodeArena() {
    while (last_) {
        Block* previous = last_->previous;
        unpoison(last_, last_->size);
        ::operator delete(last_);
        last_ = previous;
    }
}

void NodeArena::newBlock(size_t need) {
    size_t size = std::max(blockSize, sizeof(Block) + need);
    auto* block = static_cast<Block*>(::operator new(size));
    block->previous = last_;
    block->size = size;
    last_ = block;
    next_ = reinterpret_cast<char*>(block + 1);
    end_ = reinterpret_cast<char*>(block) + size;
    poison(next_, static_cast<size_t>(end_ - next_));
}

}  // namespace wavelith::script
