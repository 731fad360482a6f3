		VYK_PROC(n, acc, VYK_ARR_s, VYK_ARR_0_s, VYK_ARR_r, c);
		q->VYK_SPEC_pair->a = 1;
		q->VYK_SPEC_pair->b = 1;
		return;
	Out::Int(Kind(&*(q)), 0);
	Out::Int(Kind(&i), 0);
	Out::Int(Kind(&p), 0);
	Show(i.VYK_SPEC_int, *i.VYK_SPEC_int);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Add(c);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Hidden(c);
	VYK_PROC = (VYK_TYPE)VYK_COMMON_Cells_Size(c);
	VYK_TYPE VYK_PROC;
	exit(254);
	fputs("VYK: no handler of common procedure Cells.Size\n", stderr);
	i.VYK_SPEC_int->v = 5;
	if (VYK_PROC) return VYK_PROC(c);
	if (VYK_PROC) {
	if (c && (c->VYK_SID == c->VYK_SID_pair)) {
	if (q && (q->VYK_SID == q->VYK_SID_pair)) {
	p.VYK_SPEC_pair->a = 2;
	p.VYK_SPEC_pair->b = 2;
	q = new(VYK_HEAP) Cell(Cell::VYK_INIT_pair);
	sum = Size(&i) + Size(&p);
	typedef bool (*VYK_TYPE) (CellPtr* c);
	typedef int (*VYK_TYPE) (Cell* c);
	typedef void (*VYK_TYPE) (int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c);
#include <stdio.h>
//COMMON PROCEDURE Add
//COMMON PROCEDURE Hidden
//COMMON PROCEDURE Size
//HANDLER PROCEDURE Add
//HANDLER PROCEDURE Hidden
//HANDLER PROCEDURE Size
Cell Cells::i(Cell::VYK_INIT_int);
bool Cells::VYK_HANDLER_Hidden_3(Cell* c) {
bool Hidden(CellPtr* c) {
int Cells::Size(Cell* c) {
int Cells::VYK_HANDLER_Size_0(Cell* c) {
int Cells::VYK_HANDLER_Size_1(Cell* c) {
int Kind(Cell* c) {
namespace {Cell p(Cell::VYK_INIT_pair);}
using namespace Cells;
void Cells::Add(int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c) {
void Cells::VYK_HANDLER_Add_2(int n, Int* acc, char *VYK_ARR_s, const int VYK_ARR_0_s, Row VYK_ARR_r[3], Cell* c) {
void Show(Int* r, Int s) {
