#include "catalogue/catalogue_item.h"

#include <stdexcept>

namespace n_ombrix {

namespace {

const std::wstring noText;
const std::vector<t_CatalogueItem*> noChildren;

} // namespace

const std::wstring& t_CatalogueItem::GetAppId() const { return noText; }

const std::wstring& t_CatalogueItem::GetDescription() const { return noText; }

const std::vector<t_CatalogueItem*>& t_CatalogueItem::GetChildren() const { return noChildren; }

std::vector<t_CatalogueItem*>& t_CatalogueItem::GetMutableChildren() {
    throw std::logic_error("only folders have children to change");
}

t_ApplicationItem::t_ApplicationItem(HBITMAP icon, std::wstring displayName, std::wstring description,
                                     std::wstring appId)
    : t_CatalogueItem(icon, std::move(displayName)),
      description_(std::move(description)),
      appId_(std::move(appId)),
      appIdHash_(n_zql::n_system::ApplicationIdentityHash(appId_)) {}

} // namespace n_ombrix
