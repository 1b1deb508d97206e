#!/usr/bin/env bash
# A private PostgreSQL server for one test run: scripts/pg-test-server.sh start|stop DIR.
#
# start makes a cluster in a temporary folder (its Unix socket there too), listening on a free
# loopback port with SCRAM passwords, with three roles: veskplan_admin (makes the test
# databases), estimator (imports) and designer (only reads), and a fourth, stranger, whose
# password in the password file is wrong. DIR receives what the tests need: `port`, `socket`
# (the socket's folder), `pgpass` (libpq's password file for 127.0.0.1 and the socket) and
# `cluster` (the temporary folder), and for TLS `ca.crt` (the authority that signed the server's
# certificate, for 127.0.0.1 and localhost) and `other-ca.crt` (one that signed nothing of it).
# stop stops the server and removes both.
# The server runs as an unprivileged user: initdb and postgres refuse root, so as root it runs
# as `postgres` (the user the Debian package makes).
set -euo pipefail

bin=/usr/lib/postgresql/15/bin
action=${1:-}
state=${2:-}
if [[ ( $action != start && $action != stop ) || -z $state ]]; then
    echo "usage: $0 start|stop DIR" >&2
    exit 2
fi

as_server=()
if [ "$(id -u)" -eq 0 ]; then
    as_server=(runuser -u postgres --)
fi

stop_server() {
    if [ -f "$state/cluster" ]; then
        local cluster
        cluster=$(cat "$state/cluster")
        if [ -f "$cluster/data/postmaster.pid" ]; then
            "${as_server[@]}" "$bin/pg_ctl" -D "$cluster/data" -m immediate -w stop >/dev/null || true
        fi
        rm -rf -- "$cluster"
    fi
    rm -rf -- "$state"
}

if [ "$action" = stop ]; then
    stop_server
    exit 0
fi

if [ ! -x "$bin/initdb" ] || [ ! -x "$bin/pg_ctl" ]; then
    echo "$0: the PostgreSQL 15 server is not installed ($bin/initdb); run scripts/install-deps.sh" >&2
    exit 1
fi
stop_server  # what an earlier run left
mkdir -p "$state"
cluster=$(mktemp -d "${TMPDIR:-/tmp}/veskplan-pg.XXXXXX")
echo "$cluster" >"$state/cluster"
if [ "${#as_server[@]}" -gt 0 ]; then
    chown postgres: "$cluster"
fi
chmod 700 "$cluster"

password() { head -c 18 /dev/urandom | base64 | tr -d '/+='; }
admin=$(password)
estimator=$(password)
designer=$(password)
stranger=$(password)
# initdb reads the first role's password from a file only its user can read.
"${as_server[@]}" sh -c "umask 077; printf '%s\n' '$admin' >'$cluster/pw'"
"${as_server[@]}" "$bin/initdb" -D "$cluster/data" -U veskplan_admin --pwfile="$cluster/pw" \
    --auth=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$cluster/initdb.log" 2>&1 ||
    { cat "$cluster/initdb.log" >&2; exit 1; }
rm -f "$cluster/pw"

# TLS as an agency's server has it: a certificate signed by an authority of the run's own.
certificates=$(mktemp -d "${TMPDIR:-/tmp}/veskplan-pg-tls.XXXXXX")
tls_key() { openssl genpkey -algorithm EC -pkeyopt ec_paramgen_curve:prime256v1 -out "$1" 2>/dev/null; }
for ca in ca other-ca; do
    tls_key "$certificates/$ca.key"
    openssl req -x509 -new -key "$certificates/$ca.key" -days 2 -subj "/CN=Veskplan test $ca" \
        -out "$state/$ca.crt" 2>/dev/null
done
tls_key "$certificates/server.key"
openssl req -new -key "$certificates/server.key" -subj "/CN=127.0.0.1" \
    -out "$certificates/server.csr" 2>/dev/null
printf 'subjectAltName=IP:127.0.0.1,DNS:localhost\n' >"$certificates/server.ext"
openssl x509 -req -in "$certificates/server.csr" -CA "$state/ca.crt" -CAkey "$certificates/ca.key" \
    -CAcreateserial -days 2 -extfile "$certificates/server.ext" -out "$certificates/server.crt" \
    2>/dev/null
install -m 600 "$certificates/server.key" "$certificates/server.crt" "$cluster/data/"
rm -rf -- "$certificates"
if [ "${#as_server[@]}" -gt 0 ]; then
    chown postgres: "$cluster/data/server.key" "$cluster/data/server.crt"
fi

# A free loopback port: one the system hands out, then given up for the server; another
# program may take it meanwhile, so a few are tried.
for attempt in 1 2 3 4 5; do
    port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    if "${as_server[@]}" "$bin/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 30 \
        -o "-p $port -k $cluster -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c ssl=on" \
        start >/dev/null; then
        break
    elif [ "$attempt" -eq 5 ]; then
        cat "$cluster/server.log" >&2
        exit 1
    fi
done

umask 077
cat >"$state/pgpass" <<PASS
127.0.0.1:$port:*:veskplan_admin:$admin
127.0.0.1:$port:*:estimator:$estimator
127.0.0.1:$port:*:designer:$designer
127.0.0.1:$port:*:stranger:wrong-$stranger
$cluster:$port:*:veskplan_admin:$admin
$cluster:$port:*:estimator:$estimator
$cluster:$port:*:designer:$designer
PASS
echo "$port" >"$state/port"
echo "$cluster" >"$state/socket"
PGPASSFILE="$state/pgpass" "$bin/psql" -X -q -v ON_ERROR_STOP=1 \
    "host=127.0.0.1 port=$port user=veskplan_admin dbname=postgres" <<SQL
CREATE ROLE estimator LOGIN PASSWORD '$estimator';
CREATE ROLE designer LOGIN PASSWORD '$designer';
CREATE ROLE stranger LOGIN PASSWORD '$stranger';
SQL
echo "PostgreSQL test server on 127.0.0.1:$port (socket in $cluster)"
