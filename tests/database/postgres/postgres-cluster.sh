#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the catalogue tests: no TCP, its Unix socket in the cluster
# folder, the sample catalogue loaded, and a reader role that must give a password.
#
#   postgres-cluster.sh start DIR SQL_FILE   fresh cluster in DIR, catalogue loaded
#   postgres-cluster.sh stop  DIR [SQL_FILE] server stopped, DIR removed
#
# The environment may set KINETRA_PG_PORT, KINETRA_PG_SUPERUSER, KINETRA_PG_DATABASE,
# KINETRA_PG_READER and KINETRA_PG_READER_PASSWORD; the tests are built with the same values.
# initdb and postgres refuse to run as root, so root runs them as the postgres system user.
set -euo pipefail

usage() {
    echo "usage: $0 start|stop DIR SQL_FILE" >&2
    exit 2
}

[ $# -ge 2 ] || usage
action=$1
dir=$2
sql=${3:-}

port=${KINETRA_PG_PORT:-54329}
superuser=${KINETRA_PG_SUPERUSER:-kinetra}
database=${KINETRA_PG_DATABASE:-kinetra_catalogue}
reader=${KINETRA_PG_READER:-kinetra_reader}
reader_password=${KINETRA_PG_READER_PASSWORD:-reader-secret}

absolute() {
    case $1 in
    /* | '') echo "$1" ;;
    *) echo "$PWD/$1" ;;
    esac
}
dir=$(absolute "$dir")
sql=$(absolute "$sql")
data=$dir/data

# The newest server installed; Debian keeps each major version in a folder of its own, and
# versions must sort as versions (9.6 before 15).
bindir=
for candidate in $(printf '%s\n' /usr/lib/postgresql/*/bin | sort -V); do
    if [ -x "$candidate/initdb" ]; then
        bindir=$candidate
    fi
done
if [ -z "$bindir" ]; then
    echo "No PostgreSQL server found under /usr/lib/postgresql (Debian package postgresql)." >&2
    exit 1
fi

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
    as_owner=(runuser -u postgres --)
fi
# The server's user may not be allowed into the folder the tests were started from.
cd /

server_running() {
    [ -f "$data/postmaster.pid" ] &&
        "${as_owner[@]}" "$bindir/pg_ctl" status -D "$data" >/dev/null 2>&1
}

stop_cluster() {
    [ -e "$dir" ] || return 0
    # Only a folder this script made is ever removed.
    if [ -n "$(ls -A "$dir")" ] && [ ! -e "$dir/initdb.log" ]; then
        echo "$dir is no cluster folder of this script; not removing it." >&2
        exit 1
    fi
    if server_running; then
        "${as_owner[@]}" "$bindir/pg_ctl" stop -D "$data" -m fast -w -t 60 >/dev/null ||
            "${as_owner[@]}" "$bindir/pg_ctl" stop -D "$data" -m immediate -w -t 30 >/dev/null ||
            true
    fi
    rm -rf "$dir"
}

psql_as() {
    local user=$1 db=$2
    shift 2
    PGCLIENTENCODING=UTF8 "$bindir/psql" -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" \
        -U "$user" -d "$db" "$@"
}

start_cluster() {
    [ -n "$sql" ] || usage
    if [ ! -r "$sql" ]; then
        echo "Cannot read the catalogue script $sql" >&2
        exit 1
    fi
    # What an interrupted earlier run left behind.
    stop_cluster

    mkdir -p "$dir"
    chmod 700 "$dir"
    if [ ${#as_owner[@]} -gt 0 ]; then
        chown postgres:postgres "$dir"
    fi
    "${as_owner[@]}" "$bindir/initdb" -D "$data" -U "$superuser" -E UTF8 --locale=C.UTF-8 \
        --auth-local=trust --auth-host=reject --no-sync >"$dir/initdb.log" 2>&1 || {
        cat "$dir/initdb.log" >&2
        exit 1
    }
    # The reader proves that a password is asked for over the socket; everyone else is trusted.
    "${as_owner[@]}" tee "$data/pg_hba.conf" >/dev/null <<EOF
local all $reader scram-sha-256
local all all trust
EOF
    # The port only names the socket file; fsync is pointless for a cluster that lives minutes.
    "${as_owner[@]}" "$bindir/pg_ctl" start -D "$data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c port=$port -c fsync=off" \
        >/dev/null || {
        cat "$dir/server.log" >&2
        exit 1
    }
    local tries=0
    until "$bindir/pg_isready" -q -h "$dir" -p "$port"; do
        tries=$((tries + 1))
        if [ $tries -ge 60 ]; then
            echo "The server in $dir did not become ready." >&2
            cat "$dir/server.log" >&2
            exit 1
        fi
        sleep 0.5
    done

    psql_as "$superuser" postgres \
        -c "CREATE DATABASE \"$database\" TEMPLATE template0 ENCODING 'UTF8'"
    psql_as "$superuser" "$database" -f "$sql"
    psql_as "$superuser" "$database" <<EOF
CREATE ROLE "$reader" LOGIN PASSWORD '$reader_password';
GRANT SELECT ON ALL TABLES IN SCHEMA public TO "$reader";
-- How a Russian user's program orders designations, numbers inside them as numbers: the server
-- sorts by it to show the tests the order to expect.
CREATE COLLATION "ru_numeric" (provider = icu, locale = 'ru-RU-u-kn-true');
EOF
    echo "PostgreSQL $("$bindir/postgres" --version | awk '{print $3}') ready in $dir, port $port"
}

case $action in
start) start_cluster ;;
stop) stop_cluster ;;
*) usage ;;
esac
