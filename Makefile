# The two everyday commands: `make demo` and `make test`.
# Release build in build/, sanitizer build in build-asan/.

BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
PACKAGES   := cmake ninja-build g++ make libgtest-dev qt6-base-dev \
              libqscintilla2-qt6-dev qt6-translations-l10n libgc-dev ccache distcc \
              xvfb xauth

.PHONY: all deps build asan test demo clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages:$$missing (run as root to install them)"; exit 1; \
	  fi; \
	fi

build:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVYK_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

asan:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVYK_SANITIZE=ON -DVYK_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: deps build asan
	cd $(ASAN_BUILD) && ctest -j $(JOBS) --output-on-failure
	cd $(BUILD) && ctest -j $(JOBS) --output-on-failure

demo: deps build
	@sh tools/demo.sh $(BUILD)/bin

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
