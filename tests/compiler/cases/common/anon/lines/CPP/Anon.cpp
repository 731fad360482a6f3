//COMMON PROCEDURE Show
void Show(Tok* t) {
	typedef void (*VYK_TYPE) (Tok* t);
	VYK_TYPE VYK_PROC;
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Anon_Show(t);
	if (VYK_PROC) {
		VYK_PROC(t);
//HANDLER PROCEDURE Show
void Anon::VYK_HANDLER_Show_0(Tok* t) {
	Out::Int(t->VYK_SPEC_leaf->v, 0);
	t = new(VYK_HEAP) Tok(Tok::VYK_INIT_leaf);
	u = new(VYK_HEAP) Tok(Tok::VYK_INIT_empty);
	if (t && (t->VYK_SID == t->VYK_SID_leaf)) {
		t->VYK_SPEC_leaf->v = 42;
	Show(t);
	Show(u);
