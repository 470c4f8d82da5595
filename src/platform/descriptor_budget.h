#pragma once
// How many folder descriptors the local folder source keeps open, however
// deep the walk goes: past the budget the shallowest holders give theirs up
// (the walk is least likely to need them soon) and reopen when asked again.
#include <cerrno>
#include <cstddef>
#include <vector>

namespace quillory::local_folder {

// The process (or the system) has no descriptor left: a failure that trimming
// what the walk holds can cure, unlike any other.
inline bool outOfDescriptors(int error) { return error == EMFILE || error == ENFILE; }

// A folder that holds a descriptor it can give up.
class DescriptorHolder {
public:
    virtual int depth() const = 0;
    virtual void closeDescriptor() = 0;

protected:
    ~DescriptorHolder() = default;
};

class DescriptorBudget {
public:
    static constexpr std::size_t kLimit = 24;

    // `holder` has just opened its descriptor; others close past the limit.
    void hold(DescriptorHolder* holder);
    void release(DescriptorHolder* holder);
    // Closes the shallowest holders (never `keep`) until at most `limit` remain.
    void trim(std::size_t limit, const DescriptorHolder* keep);

private:
    std::vector<DescriptorHolder*> m_holding;
};

}  // namespace quillory::local_folder
