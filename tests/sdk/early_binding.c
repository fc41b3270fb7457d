/* Early binding from plain C with nothing but the developer kit: its
   header, its identifiers file and a registered Tollivor.dll. Creates each
   class through its interface; the item takes a record and keeps its result
   empty until a Show. Exits 0, else with the step that failed. */
#include <windows.h>
#include <ole2.h>

#include "Tollivor_h.h"

int main(void) {
  const CLSID* classes[] = {&CLSID_CProperty, &CLSID_CGroup, &CLSID_CSettingEx};
  const IID* interfaces[] = {&IID__CProperty, &IID__CGroup, &IID__CSettingEx};
  IUnknown* objects[3] = {NULL, NULL, NULL};
  _CProperty* item;
  BSTR in = SysAllocString(L"C:\\Tools\\edit.exe|Editor"), out = NULL;
  int i, result = 0;
  if (FAILED(CoInitialize(NULL))) return 1;
  for (i = 0; i < 3 && result == 0; ++i)
    if (FAILED(CoCreateInstance(classes[i], NULL, CLSCTX_INPROC_SERVER, interfaces[i],
                                (void**)&objects[i])))
      result = 2 + i;
  item = (_CProperty*)objects[0];
  if (result == 0 && (FAILED(item->lpVtbl->put_ItemInfo(item, in)) ||
                      FAILED(item->lpVtbl->get_ItemInfo(item, &out))))
    result = 5;
  else if (result == 0 && SysStringLen(out) != 0)
    result = 6;
  for (i = 0; i < 3; ++i)
    if (objects[i]) objects[i]->lpVtbl->Release(objects[i]);
  SysFreeString(in);
  SysFreeString(out);
  CoUninitialize();
  return result;
}
