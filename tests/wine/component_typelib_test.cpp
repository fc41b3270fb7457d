// The type library embedded in Tollivor.dll, read back as a host's tools
// would read it: attributes, the six types in order, and every member.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "component_support.h"

namespace tollivor::test {
namespace {

// The flags every interface of the library carries. The automation library
// reports a dispatch interface without FOLEAUTOMATION, whatever the file
// holds; the vtable half of a dual interface shows all of them.
constexpr WORD kInterfaceFlags = TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE |
                                 TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE;
constexpr WORD kDispatchFlags = kInterfaceFlags & ~TYPEFLAG_FOLEAUTOMATION;
// stdole2, the standard automation library.
const GUID kStdole2 = {0x00020430, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct Member {
  const wchar_t* name;
  INVOKEKIND kind;
  MEMBERID id;
};

struct TypeRow {
  const wchar_t* name;
  TYPEKIND kind;
  WORD flags;
  const GUID* guid;
  std::vector<Member> members;  // interfaces only
};

const Member kGet{L"ItemInfo", INVOKE_PROPERTYGET, 0x68030000};
const Member kPut{L"ItemInfo", INVOKE_PROPERTYPUT, 0x68030000};

const std::vector<TypeRow>& expectedTypes() {
  static const std::vector<TypeRow> rows = {
      {L"_CProperty", TKIND_DISPATCH, kDispatchFlags, &IID__CProperty,
       {kGet, kPut, {L"Show", INVOKE_FUNC, 0x60030001}}},
      {L"CProperty", TKIND_COCLASS, TYPEFLAG_FCANCREATE, &CLSID_CProperty, {}},
      {L"_CSettingEx", TKIND_DISPATCH, kDispatchFlags, &IID__CSettingEx,
       {{L"Show", INVOKE_FUNC, 0x60030000}}},
      {L"CSettingEx", TKIND_COCLASS, TYPEFLAG_FCANCREATE, &CLSID_CSettingEx, {}},
      {L"_CGroup", TKIND_DISPATCH, kDispatchFlags, &IID__CGroup,
       {kGet, kPut, {L"Show", INVOKE_FUNC, 0x60030001}}},
      {L"CGroup", TKIND_COCLASS, TYPEFLAG_FCANCREATE, &CLSID_CGroup, {}},
  };
  return rows;
}

class ComponentTypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(componentPath().c_str(), REGKIND_NONE, library_.put()), S_OK);
  }

  std::wstring name(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
    unique_bstr text;
    info->GetDocumentation(id, text.put(), nullptr, nullptr, nullptr);
    return test::text(text);
  }

  // What GetNames gives for a member: its name, then its parameters' names.
  static std::vector<std::wstring> names(ITypeInfo* info, MEMBERID id) {
    BSTR found[8] = {};
    UINT count = 0;
    EXPECT_EQ(info->GetNames(id, found, 8, &count), S_OK);
    std::vector<std::wstring> result;
    for (UINT n = 0; n < count; ++n) {
      result.emplace_back(found[n], SysStringLen(found[n]));
      SysFreeString(found[n]);
    }
    return result;
  }

  Ref<ITypeLib> library_;
};

// Hosts bind to version 1.1; widl writes a locale unless the IDL sets 0.
TEST_F(ComponentTypeLibrary, LibraryVersionAndNeutralLocale) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(library_->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 1);
  EXPECT_EQ(attr->lcid, 0u);
  library_->ReleaseTLibAttr(attr);
}

TEST_F(ComponentTypeLibrary, SixTypesInOrderWithKindsFlagsAndIdentifiers) {
  const auto& rows = expectedTypes();
  ASSERT_EQ(library_->GetTypeInfoCount(), rows.size());
  for (UINT i = 0; i < rows.size(); ++i) {
    const auto& row = rows[i];
    SCOPED_TRACE(row.name);
    Ref<ITypeInfo> info;
    ASSERT_EQ(library_->GetTypeInfo(i, info.put()), S_OK);
    EXPECT_EQ(name(info.get()), row.name);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, row.kind);
    EXPECT_EQ(attr->wTypeFlags, row.flags);
    EXPECT_TRUE(IsEqualGUID(attr->guid, *row.guid));
    EXPECT_EQ(attr->cImplTypes, 1);
    info->ReleaseTypeAttr(attr);

    unique_bstr doc;
    info->GetDocumentation(MEMBERID_NIL, nullptr, doc.put(), nullptr, nullptr);
    EXPECT_FALSE(doc) << "no help strings";
  }
}

// Each class's one implemented interface is its default interface.
TEST_F(ComponentTypeLibrary, ClassesHaveTheirInterfaceAsDefault) {
  const auto& rows = expectedTypes();
  for (UINT i = 1; i < rows.size(); i += 2) {
    SCOPED_TRACE(rows[i].name);
    Ref<ITypeInfo> coclass, implemented;
    ASSERT_EQ(library_->GetTypeInfo(i, coclass.put()), S_OK);
    INT flags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
    EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE ref = 0;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, implemented.put()), S_OK);
    EXPECT_EQ(name(implemented.get()), rows[i - 1].name);
  }
}

// The vtable half of each dual interface: IDispatch from stdole2, then the
// members in order, each an HRESULT with the standard calling convention.
TEST_F(ComponentTypeLibrary, MembersWithIdsKindsAndSignatures) {
  for (const auto& row : expectedTypes()) {
    if (row.kind != TKIND_DISPATCH) continue;
    SCOPED_TRACE(row.name);
    Ref<ITypeInfo> dispatch, vtable, base;
    ASSERT_EQ(library_->GetTypeInfoOfGuid(*row.guid, dispatch.put()), S_OK);
    HREFTYPE ref = 0;
    ASSERT_EQ(dispatch->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(dispatch->GetRefTypeInfo(ref, vtable.put()), S_OK);

    TYPEATTR* attr = nullptr;
    ASSERT_EQ(vtable->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
    EXPECT_EQ(attr->wTypeFlags, kInterfaceFlags);
    EXPECT_EQ(attr->cFuncs, row.members.size());
    EXPECT_EQ(attr->cVars, 0);
    vtable->ReleaseTypeAttr(attr);

    ASSERT_EQ(vtable->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(vtable->GetRefTypeInfo(ref, base.put()), S_OK);
    EXPECT_EQ(name(base.get()), L"IDispatch");
    Ref<ITypeLib> baseLibrary;
    UINT index = 0;
    ASSERT_EQ(base->GetContainingTypeLib(baseLibrary.put(), &index), S_OK);
    TLIBATTR* baseAttr = nullptr;
    ASSERT_EQ(baseLibrary->GetLibAttr(&baseAttr), S_OK);
    EXPECT_TRUE(IsEqualGUID(baseAttr->guid, kStdole2));
    baseLibrary->ReleaseTLibAttr(baseAttr);

    for (UINT i = 0; i < row.members.size(); ++i) {
      const auto& member = row.members[i];
      SCOPED_TRACE(i);
      FUNCDESC* func = nullptr;
      ASSERT_EQ(vtable->GetFuncDesc(i, &func), S_OK);
      EXPECT_EQ(func->memid, member.id);
      EXPECT_EQ(func->invkind, member.kind);
      EXPECT_EQ(func->funckind, FUNC_PUREVIRTUAL);
      EXPECT_EQ(func->callconv, CC_STDCALL);
      EXPECT_EQ(func->oVft, static_cast<SHORT>((7 + i) * sizeof(void*)));  // after IDispatch
      EXPECT_EQ(func->elemdescFunc.tdesc.vt, VT_HRESULT);
      EXPECT_EQ(func->cParamsOpt, 0);

      // No parameter has a stored name, so either half gives the member's
      // name alone. Get and put share an id; the get is the one found.
      const std::vector<std::wstring> memberNameOnly{member.name};
      EXPECT_EQ(names(vtable.get(), func->memid), memberNameOnly);
      EXPECT_EQ(names(dispatch.get(), func->memid), memberNameOnly);

      if (member.kind == INVOKE_FUNC) {
        EXPECT_EQ(func->cParams, 0);
      } else if (member.kind == INVOKE_PROPERTYGET) {
        ASSERT_EQ(func->cParams, 1);
        const auto& param = func->lprgelemdescParam[0];
        EXPECT_EQ(param.tdesc.vt, VT_PTR);
        EXPECT_EQ(param.tdesc.lptdesc->vt, VT_BSTR);
        EXPECT_EQ(param.paramdesc.wParamFlags, PARAMFLAG_FOUT | PARAMFLAG_FRETVAL);
      } else {
        ASSERT_EQ(func->cParams, 1);
        const auto& param = func->lprgelemdescParam[0];
        EXPECT_EQ(param.tdesc.vt, VT_BSTR);  // by value
        EXPECT_EQ(param.paramdesc.wParamFlags, PARAMFLAG_FIN);
      }
      vtable->ReleaseFuncDesc(func);
    }
  }
}

}  // namespace
}  // namespace tollivor::test
