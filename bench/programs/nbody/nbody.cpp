// Benchmark: the floating-point n-body simulation of the outer planets,
// ten million steps; prints the energy before and after in units of 1E-9.
#include <math.h>
#include <stdio.h>

const long Steps = 10000000;
const int Bodies = 5;
const double DaysPerYear = 365.24;

struct Body {
	double x, y, z, vx, vy, vz, mass;
};

static Body body[Bodies];
static double solarMass;

static void Init(Body& b, double x, double y, double z, double vx, double vy, double vz, double mass) {
	b.x = x; b.y = y; b.z = z;
	b.vx = vx * DaysPerYear; b.vy = vy * DaysPerYear; b.vz = vz * DaysPerYear;
	b.mass = mass * solarMass;
}

static void OffsetMomentum() {
	double px = 0.0, py = 0.0, pz = 0.0;
	for (int i = 0; i < Bodies; ++i) {
		px += body[i].vx * body[i].mass;
		py += body[i].vy * body[i].mass;
		pz += body[i].vz * body[i].mass;
	}
	body[0].vx = -px / solarMass; body[0].vy = -py / solarMass; body[0].vz = -pz / solarMass;
}

static double Energy() {
	double e = 0.0;
	for (int i = 0; i < Bodies; ++i) {
		e += 0.5 * body[i].mass * (body[i].vx * body[i].vx + body[i].vy * body[i].vy + body[i].vz * body[i].vz);
		for (int j = i + 1; j < Bodies; ++j) {
			double dx = body[i].x - body[j].x, dy = body[i].y - body[j].y, dz = body[i].z - body[j].z;
			e -= body[i].mass * body[j].mass / sqrt(dx * dx + dy * dy + dz * dz);
		}
	}
	return e;
}

static void Advance(double dt) {
	for (int i = 0; i < Bodies; ++i) {
		for (int j = i + 1; j < Bodies; ++j) {
			double dx = body[i].x - body[j].x, dy = body[i].y - body[j].y, dz = body[i].z - body[j].z;
			double d2 = dx * dx + dy * dy + dz * dz;
			double mag = dt / (d2 * sqrt(d2));
			body[i].vx -= dx * body[j].mass * mag;
			body[i].vy -= dy * body[j].mass * mag;
			body[i].vz -= dz * body[j].mass * mag;
			body[j].vx += dx * body[i].mass * mag;
			body[j].vy += dy * body[i].mass * mag;
			body[j].vz += dz * body[i].mass * mag;
		}
	}
	for (int i = 0; i < Bodies; ++i) {
		body[i].x += dt * body[i].vx;
		body[i].y += dt * body[i].vy;
		body[i].z += dt * body[i].vz;
	}
}

int main() {
	solarMass = 4.0 * M_PI * M_PI;
	Init(body[0], 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
	Init(body[1], 4.84143144246472090E+00, -1.16032004402742839E+00, -1.03622044471123109E-01,
		1.66007664274403694E-03, 7.69901118419740425E-03, -6.90460016972063023E-05, 9.54791938424326609E-04);
	Init(body[2], 8.34336671824457987E+00, 4.12479856412430479E+00, -4.03523417114321381E-01,
		-2.76742510726862411E-03, 4.99852801234917238E-03, 2.30417297573763929E-05, 2.85885980666130812E-04);
	Init(body[3], 1.28943695621391310E+01, -1.51111514016986312E+01, -2.23307578892655734E-01,
		2.96460137564761618E-03, 2.37847173959480950E-03, -2.96589568540237556E-05, 4.36624404335156298E-05);
	Init(body[4], 1.53796971148509165E+01, -2.59193146099879641E+01, 1.79258772950371181E-01,
		2.68067772490389322E-03, 1.62824170038242295E-03, -9.51592254519715870E-05, 5.15138902046611451E-05);
	OffsetMomentum();
	printf("%ld\n", long(floor(Energy() * 1.0E9)));
	for (long step = 1; step <= Steps; ++step) Advance(0.01);
	printf("%ld\n", long(floor(Energy() * 1.0E9)));
	return 0;
}
