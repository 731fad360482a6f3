		VYK_PROC(t);
		t->VYK_SPEC_leaf->v = 42;
	Out::Int(t->VYK_SPEC_leaf->v, 0);
	Show(t);
	Show(u);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Anon_Show(t);
	VYK_TYPE VYK_PROC;
	if (VYK_PROC) {
	if (t && (t->VYK_SID == t->VYK_SID_leaf)) {
	t = new(VYK_HEAP) Tok(Tok::VYK_INIT_leaf);
	typedef void (*VYK_TYPE) (Tok* t);
	u = new(VYK_HEAP) Tok(Tok::VYK_INIT_empty);
//COMMON PROCEDURE Show
//HANDLER PROCEDURE Show
void Anon::VYK_HANDLER_Show_0(Tok* t) {
void Show(Tok* t) {
