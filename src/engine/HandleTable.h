// Storage addressed by generation-tagged handles: the low 16 bits are the
// slot number plus one (so no handle is 0), the high 16 bits count how often
// the slot has been reused. A handle kept after its object was freed never
// finds the slot's next occupant, so every operation on a stale, unknown or
// zero handle can simply be ignored.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace korvid {

template <class T>
class HandleTable {
public:
    std::uint32_t insert(T value) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= kMaxSlots) return 0;
            index = std::uint32_t(slots_.size());
            slots_.emplace_back();
        }
        Slot& s = slots_[index];
        s.used = true;
        s.value = std::move(value);
        return (std::uint32_t(s.generation) << 16) | (index + 1);
    }

    T* find(std::uint32_t handle) {
        Slot* s = slotOf(handle);
        return s ? &s->value : nullptr;
    }
    const T* find(std::uint32_t handle) const { return const_cast<HandleTable*>(this)->find(handle); }

    // Removes the object; false when the handle names none.
    bool erase(std::uint32_t handle) {
        Slot* s = slotOf(handle);
        if (!s) return false;
        s->used = false;
        s->value = T{};
        s->generation = std::uint16_t(s->generation == 0xFFFF ? 1 : s->generation + 1);
        free_.push_back((handle & 0xFFFF) - 1);
        return true;
    }

    template <class F>
    void forEach(F&& f) {
        for (Slot& s : slots_)
            if (s.used) f(s.value);
    }

private:
    static constexpr std::size_t kMaxSlots = 0xFFFF;
    struct Slot {
        std::uint16_t generation = 1;
        bool used = false;
        T value{};
    };

    Slot* slotOf(std::uint32_t handle) {
        std::uint32_t index = handle & 0xFFFF;
        if (index == 0 || index > slots_.size()) return nullptr;
        Slot& s = slots_[index - 1];
        if (!s.used || s.generation != (handle >> 16)) return nullptr;
        return &s;
    }

    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
};

}  // namespace korvid
