#include "platform/descriptor_budget.h"

#include <algorithm>

namespace quillory::local_folder {

void DescriptorBudget::hold(DescriptorHolder* holder) {
    m_holding.push_back(holder);
    trim(kLimit, holder);
}

void DescriptorBudget::release(DescriptorHolder* holder) { std::erase(m_holding, holder); }

void DescriptorBudget::trim(std::size_t limit, const DescriptorHolder* keep) {
    while (m_holding.size() > limit) {
        DescriptorHolder* shallowest = nullptr;
        for (DescriptorHolder* h : m_holding)
            if (h != keep && (!shallowest || h->depth() < shallowest->depth())) shallowest = h;
        if (!shallowest) return;
        shallowest->closeDescriptor();  // releases itself
    }
}

}  // namespace quillory::local_folder
