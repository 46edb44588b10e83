// The statuses (field 009-000, and 919 per item) the transaction rules
// answer with. The stations accept anything below 40, so every refusal is
// 40 or above; all are two characters, as bit 39 of the ISO form holds.
//
// Thread-safety: constants.
#pragma once

namespace vtx::hostsim::status {

inline constexpr const char* kApproved = "00";
inline constexpr const char* kNothingDone = "40";       // no item authorised or cancelled
inline constexpr const char* kNotInCatalogue = "41";    // item; also a query with no product
inline constexpr const char* kBadQuantity = "43";       // item
inline constexpr const char* kNotInTransaction = "44";  // item of a cancellation
inline constexpr const char* kIdentification = "55";    // identification fields do not match
inline constexpr const char* kUnknownCard = "56";
inline constexpr const char* kItemLimit = "57";  // too many items in one transaction
inline constexpr const char* kUnknownTransaction = "58";
inline constexpr const char* kWrongState = "59";
inline constexpr const char* kBlockedCard = "62";
inline constexpr const char* kAlreadyDone = "94";  // confirmed or reversed before: a repeat
inline constexpr const char* kUnreadable = "99";  // a field missing or not readable

}  // namespace vtx::hostsim::status
